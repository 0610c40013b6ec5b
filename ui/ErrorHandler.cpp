#include "ui/ErrorHandler.h"

#include <QStringDecoder>
#include <cstring>

#include "ui/TextCodec.h"
#include "ui/TfrmDlgBox.h"

namespace vormid {

QString ErrorText(const char* what) {
    if (!what) return QString();
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(QByteArrayView(what, qsizetype(std::strlen(what))));
    if (!utf8.hasError()) return text;
    return FromCp1251(what);
}

void ShowError(std::exception_ptr error) {
    QString text;
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        text = ErrorText(e.what());
    } catch (...) {
        text = QStringLiteral("Неочаквана грешка.");
    }
    try {
        ShowMessageBox(text);
    } catch (...) {
        // Nothing more can be done for the user; the program goes on.
    }
}

TVormidApplication::TVormidApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TVormidApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ShowError(std::current_exception());
        return false;
    }
}

}  // namespace vormid
