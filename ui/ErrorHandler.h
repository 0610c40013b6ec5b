#pragma once
// The top-level error handler: an error that escapes an event handler is
// shown in the program's message box instead of ending the program.
#include <QApplication>
#include <exception>

namespace vormid {

// A user text of an error: our own texts are UTF-8, those of the model
// layers Windows-1251; both are recognised.
QString ErrorText(const char* what);

// Shows the text of the error in the program's message box. Never throws.
void ShowError(std::exception_ptr error);

class TVormidApplication : public QApplication {
    Q_OBJECT
public:
    TVormidApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace vormid
