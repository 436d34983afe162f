#include "shell/RateField.h"

namespace mirvane::shell {

RateField::RateField(QWidget* parent) : AnaParaKutusu(parent) {
    setTypedLengthLimit(std::nullopt);
}

void RateField::focusInEvent(QFocusEvent* event) {
    AnaParaKutusu::focusInEvent(event);
    selectAll();
}

} // namespace mirvane::shell
