#pragma once

// The main window: pick a rate list, enter dates and principal, calculate, copy.
// (Declared here so start-up can be built against it; the window's members are
// its own business.)

#include <QWidget>

class AnaForm : public QWidget {
public:
    explicit AnaForm(QWidget* parent = nullptr);
    ~AnaForm() override;
};
