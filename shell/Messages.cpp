#include "shell/Messages.h"

#include "core/app/AppInfo.h"
#include "shell/Convert.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QShowEvent>
#include <QTimer>
#include <exception>
#include <filesystem>
#include <new>

namespace mirvane::shell {

namespace {

QRect desktopArea() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

QPoint centredOver(const QRect& owner, const QSize& box) {
    const app::Point p = app::centredBoxPosition(
        {owner.left(), owner.top(), owner.left() + owner.width(), owner.top() + owner.height()},
        box.width(), box.height());
    return {p.x, p.y};
}

// A QMessageBox takes its final size only while it is being shown, so it is moved
// there, before the window reaches the screen.
class CentredMessageBox : public QMessageBox {
public:
    CentredMessageBox(QWidget* owner, const QRect& ownerArea)
        : QMessageBox(owner), ownerArea_(ownerArea) {}

protected:
    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event);
        move(centredOver(ownerArea_, frameGeometry().size()));
    }

private:
    QRect ownerArea_;
};

QMessageBox::Icon boxIcon(Icon icon) {
    switch (icon) {
    case Icon::Question:
        return QMessageBox::Question;
    case Icon::Critical:
        return QMessageBox::Critical;
    case Icon::Information:
        break;
    }
    return QMessageBox::Information;
}

void addButtons(QMessageBox& box, Buttons buttons) {
    if (buttons == Buttons::Ok) {
        box.setStandardButtons(QMessageBox::Ok);
        box.button(QMessageBox::Ok)->setText(QStringLiteral("Tamam"));
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
        return;
    }
    const bool cancel = buttons == Buttons::YesNoCancel;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No |
                           (cancel ? QMessageBox::Cancel : QMessageBox::NoButton));
    box.button(QMessageBox::Yes)->setText(QStringLiteral("Evet"));
    box.button(QMessageBox::No)->setText(QStringLiteral("Hayır"));
    if (cancel) {
        box.button(QMessageBox::Cancel)->setText(QStringLiteral("İptal"));
    }
    box.setDefaultButton(buttons == Buttons::NoYes ? QMessageBox::No : QMessageBox::Yes);
    box.setEscapeButton(cancel ? QMessageBox::Cancel : QMessageBox::No);
}

// The texts keep the CR LF line ends of the messages they reproduce; a QMessageBox
// would show the CR as an extra break.
QString displayText(QString text) {
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

class RealMessageBoxes : public MessageBoxes {
public:
    Answer show(const MessageRequest& request) override {
        QWidget* owner = QApplication::activeWindow();
        CentredMessageBox box(owner, owner ? owner->frameGeometry() : desktopArea());
        box.setWindowModality(Qt::ApplicationModal);
        box.setWindowTitle(request.caption);
        box.setText(displayText(request.text));
        box.setIcon(boxIcon(request.icon));
        addButtons(box, request.buttons);
        box.exec();
        return answerOf(box);
    }

private:
    static Answer answerOf(const QMessageBox& box) {
        const QAbstractButton* clicked = box.clickedButton();
        if (clicked == box.button(QMessageBox::Yes)) {
            return Answer::Yes;
        }
        if (clicked == box.button(QMessageBox::Ok)) {
            return Answer::Ok;
        }
        if (clicked && clicked == box.button(QMessageBox::Cancel)) {
            return Answer::Cancel;
        }
        return Answer::No;
    }
};

RealMessageBoxes realBoxes;
MessageBoxes* installedBoxes = nullptr;

std::function<void()> programCloser;
bool endAsked = false;
bool closeQueued = false;

// Runs from the event loop, after the failed step has returned. A modal window over
// the main window is closed first (it may ask about its own unsaved rows); one that
// stays open calls the end off, as a claim file the user keeps open does.
void closeWhenIdle() {
    closeQueued = false;
    if (QWidget* modal = QApplication::activeModalWidget()) {
        if (modal->close()) {
            closeQueued = true;
            QTimer::singleShot(0, qApp, closeWhenIdle);
        } else {
            endAsked = false;
        }
        return;
    }
    endAsked = false;
    if (programCloser) {
        programCloser();
    }
}

// Ending at once would drop every unsaved claim window and the settings: the end
// goes through the main window's close instead.
void endThroughClose() {
    endAsked = true;
    if (!programCloser || closeQueued) {
        return;
    }
    closeQueued = true;
    QTimer::singleShot(0, qApp, closeWhenIdle);
}
std::function<void()> programEnder = endThroughClose;

RunTimeError errorOf(const std::exception_ptr& failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const std::filesystem::filesystem_error& e) {
        return errors::fromErrno(e.code().value());
    } catch (const std::bad_alloc&) {
        return errors::make(errors::OutOfMemory);
    } catch (...) {
        return errors::make(errors::InvalidProcedureCall);
    }
}

} // namespace

MessageBoxes& messageBoxes() {
    return installedBoxes ? *installedBoxes : realBoxes;
}

void setMessageBoxes(MessageBoxes* boxes) {
    installedBoxes = boxes;
}

void showNotice(const QString& text) {
    messageBoxes().show({toQString(app::MessageCaption), text, Icon::Information, Buttons::Ok});
}

bool askYesNoDefaultNo(const QString& text) {
    return messageBoxes().show({toQString(app::MessageCaption), text, Icon::Question,
                                Buttons::NoYes}) == Answer::Yes;
}

bool askYesNo(const QString& text) {
    const Answer answer =
        messageBoxes().show({toQString(app::MessageCaption), text, Icon::Question, Buttons::YesNo});
    return answer == Answer::Yes;
}

Answer askYesNoCancel(const QString& text) {
    return messageBoxes().show(
        {toQString(app::MessageCaption), text, Icon::Question, Buttons::YesNoCancel});
}

bool reportError(const RunTimeError& error) {
    const std::string text = app::errorReportText(error.number, error.description);
    const Answer answer = messageBoxes().show(
        {toQString(app::ErrorReportCaption), toQString(text), Icon::Critical, Buttons::YesNo});
    if (answer == Answer::Yes) {
        return true;
    }
    programEnder();
    return false;
}

void setProgramEnder(std::function<void()> ender) {
    programEnder = ender ? std::move(ender) : std::function<void()>(endThroughClose);
}

void setProgramCloser(std::function<void()> closer) {
    programCloser = std::move(closer);
}

bool endRequested() {
    return endAsked;
}

bool runStep(const std::function<Status()>& step) {
    Status status;
    try {
        status = step();
    } catch (...) {
        status = errorOf(std::current_exception());
    }
    return status.ok() || reportError(status.error());
}

} // namespace mirvane::shell
