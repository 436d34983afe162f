// The yardstick for the program's start: the plainest Qt Widgets window of the
// same shape (a main window holding a tree, a date field and a text field), built
// with the same compiler and flags and shown under the title the timer waits for.

#include <QApplication>
#include <QDateEdit>
#include <QLineEdit>
#include <QMainWindow>
#include <QTreeWidget>
#include <QVBoxLayout>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QMainWindow window;
    auto* centre = new QWidget(&window);
    auto* layout = new QVBoxLayout(centre);
    layout->addWidget(new QTreeWidget(centre));
    layout->addWidget(new QDateEdit(centre));
    layout->addWidget(new QLineEdit(centre));
    window.setCentralWidget(centre);
    window.setWindowTitle(QStringLiteral("Bare Qt Window"));
    window.resize(647, 479);
    window.show();
    return application.exec();
}
