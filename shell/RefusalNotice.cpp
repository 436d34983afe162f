#include "shell/RefusalNotice.h"

#include "shell/Controls.h"
#include "shell/Convert.h"
#include "shell/Messages.h"

namespace mirvane::shell {

namespace {

QWidget* fieldOf(EntryField field, const EntryControls& controls) {
    switch (field) {
    case EntryField::StartDate:
        return controls.start;
    case EntryField::EndDate:
        return controls.end;
    case EntryField::Value:
        return controls.value;
    }
    return controls.start;
}

} // namespace

void showRefusal(const EntryRefusal& refusal, const EntryControls& controls) {
    showNotice(toQString(refusal.message));
    if (refusal.correctedStart) {
        controls.start->setValue(toQDate(*refusal.correctedStart));
    }
    if (refusal.correctedEnd) {
        controls.end->setValue(toQDate(*refusal.correctedEnd));
    }
    fieldOf(refusal.focus, controls)->setFocus();
}

} // namespace mirvane::shell
