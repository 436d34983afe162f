#include "core/claim/ClaimTexts.h"

#include "core/text/TextForms.h"

#include <charconv>

namespace mirvane::claim {

std::optional<Kurus> parseKurus(std::string_view text) {
    text = text::trimSpaces(text);
    if (!text::isNumericText(text)) {
        return std::nullopt;
    }
    // Whole lira and up to two decimals, counted exactly instead of through a
    // double; the full stops that group thousands are dropped.
    std::string lira;
    std::string decimals;
    bool afterComma = false;
    for (const char c : text) {
        if (c == ',') {
            afterComma = true;
        } else if (c >= '0' && c <= '9') {
            (afterComma ? decimals : lira) += c;
        } else if (c != '.') {
            return std::nullopt;
        }
    }
    if (decimals.size() > 2 || lira.size() > 16) {
        return std::nullopt;
    }
    decimals.resize(2, '0');
    Kurus whole = 0;
    if (!lira.empty()) {
        const auto [end, error] = std::from_chars(lira.data(), lira.data() + lira.size(), whole);
        if (error != std::errc()) {
            return std::nullopt;
        }
    }
    const Kurus amount = whole * 100 + (decimals[0] - '0') * 10 + (decimals[1] - '0');
    if (amount > MaxAmount) {
        return std::nullopt;
    }
    return amount;
}

std::string_view itemKindTitle(ItemKind kind) {
    switch (kind) {
    case ItemKind::Costs:
        return "Masraf";
    case ItemKind::Fee:
        return "Vekalet ücreti";
    case ItemKind::Principal:
        break;
    }
    return "Anapara";
}

std::string_view bucketTitle(Bucket bucket) {
    switch (bucket) {
    case Bucket::Costs:
        return "Masraf";
    case Bucket::Fee:
        return "Vekalet ücreti";
    case Bucket::Interest:
        return "Faiz";
    case Bucket::Principal:
        break;
    }
    return "Anapara";
}

std::string setOffOrderText(const std::vector<Bucket>& order) {
    std::string text;
    for (const Bucket bucket : order) {
        if (!text.empty()) {
            text += " → ";
        }
        text += bucketTitle(bucket);
    }
    return text;
}

std::string rateText(const RateSource& rate) {
    if (const auto* list = std::get_if<ListRate>(&rate)) {
        return list->name;
    }
    return "Sabit %" + text::formatGeneralNumber(std::get<FixedRate>(rate).percent);
}

std::array<std::string, 6> itemCells(const Item& item, std::size_t row) {
    const bool principal = item.kind == ItemKind::Principal;
    const std::optional<Date>& date = principal ? item.interestStart : item.date;
    return {std::to_string(row + 1),
            std::string(itemKindTitle(item.kind)),
            item.description,
            text::formatCents(item.amount),
            date ? text::formatDate(*date) : std::string(),
            principal ? rateText(item.rate) : std::string()};
}

std::array<std::string, 4> paymentCells(const Payment& payment, std::size_t row) {
    return {std::to_string(row + 1), text::formatDate(payment.date),
            text::formatCents(payment.amount), payment.description};
}

std::vector<std::pair<std::string, std::string>> summaryLines(const ClaimResult& result) {
    std::vector<std::pair<std::string, std::string>> lines{
        {"Kalan anapara", text::formatCents(result.remainingPrincipal)},
        {"Ödenmemiş faiz", text::formatCents(result.unpaidInterest)},
        {"Ödenmemiş masraf", text::formatCents(result.unpaidCosts)},
        {"Ödenmemiş vekalet ücreti", text::formatCents(result.unpaidFee)},
        {"Bakiye", text::formatCents(result.balance)},
        {"İşlemiş faiz (takipten önce)", text::formatCents(result.interestBeforeFiling)},
        {"Takip sonrası faiz", text::formatCents(result.interestAfterFiling)},
    };
    if (result.filingTotal) {
        lines.emplace_back("Takip tutarı", text::formatCents(*result.filingTotal));
    }
    lines.emplace_back("Fazla ödeme", text::formatCents(result.overpaid));
    return lines;
}

const std::array<std::string_view, 7>& sliceHeaders() {
    static const std::array<std::string_view, 7> headers{"Kalem",    "Başlangıç", "Bitiş", "Gün",
                                                         "Oran (%)", "Matrah",    "Faiz"};
    return headers;
}

std::array<std::string, 7> sliceCells(const Slice& slice) {
    return {std::to_string(slice.item),
            text::formatDate(slice.start),
            text::formatDate(slice.end),
            std::to_string(slice.days),
            text::formatGeneralNumber(slice.rate),
            text::formatCents(slice.base),
            text::formatCents(slice.interest)};
}

const std::array<std::string_view, 8>& setOffHeaders() {
    static const std::array<std::string_view, 8> headers{
        "Tarih", "Ödenen", "Masraf", "Vekalet", "Faiz", "Anapara", "Kalan Anapara", "Fazla"};
    return headers;
}

std::array<std::string, 8> setOffCells(const SetOff& setOff) {
    return {text::formatDate(setOff.date),
            text::formatCents(setOff.amount),
            text::formatCents(setOff.costs),
            text::formatCents(setOff.fee),
            text::formatCents(setOff.interest),
            text::formatCents(setOff.principal),
            text::formatCents(setOff.remainingPrincipal),
            text::formatCents(setOff.overpaid)};
}

} // namespace mirvane::claim
