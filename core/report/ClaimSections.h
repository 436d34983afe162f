#pragma once

// The sections of a claim's report, shared by the plain report (ClaimReport.cpp) and
// the court expert's report built around it (ExpertReport.cpp).

#include "core/claim/ClaimEngine.h"
#include "core/claim/ClaimFile.h"
#include "core/report/Report.h"

namespace mirvane::report {

namespace sections {

std::string dateOrNone(const std::optional<Date>& date);
// The report's heading and dates, then the items and the payments.
void addInputs(Document& document, const claim::ClaimFile& file, Date reportDate);
void addSummary(Document& document, const claim::ClaimResult& result);
void addSlices(Document& document, const claim::ClaimResult& result);
void addSetOffs(Document& document, const claim::ClaimResult& result);
void addLegalBasis(Document& document, const claim::ClaimFile& file);
void addRateSources(Document& document, const claim::ClaimFile& file,
                    const claim::ClaimResult& result);
void addNotices(Document& document, const claim::ClaimResult& result);

} // namespace sections

// The court expert's report: the sections the law asks for around the calculation,
// with the alternatives side by side and each alternative's tables in an annex.
Document expertReport(const claim::ClaimFile& file, const claim::ClaimResult& result,
                      Date reportDate);

} // namespace mirvane::report
