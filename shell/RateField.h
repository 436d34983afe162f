#pragma once

// The program's rate field: the money field's rules, with two differences: its whole
// text is selected whenever it gains the focus, and its length is not limited. The
// list editors' rate and the claim window's fixed rate use it.

#include "shell/AnaParaKutusu.h"

namespace mirvane::shell {

class RateField : public AnaParaKutusu {
public:
    explicit RateField(QWidget* parent = nullptr);

protected:
    void focusInEvent(QFocusEvent* event) override;
};

} // namespace mirvane::shell
