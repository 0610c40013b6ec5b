#include "ui/widgets/ByteLimitValidator.h"

#include <QToolTip>
#include <algorithm>
#include <QWidget>

namespace vormid {

TFieldTextFault FieldTextFault(const QString& text, int maxBytes) {
    // The program's own table: Qt 6.4 has no Windows-1251 encoder of its own
    // here (a named QStringEncoder is invalid), and a check through it took
    // every character.
    const QList<uint> units = text.toUcs4();
    return FieldTextFault(std::u32string(units.begin(), units.end()), static_cast<std::size_t>(std::max(maxBytes, 0)));
}

TByteLimitValidator::TByteLimitValidator(int maxBytes, QObject* parent) : QValidator(parent), maxBytes_(maxBytes) {}

QString TByteLimitValidator::Refusal(const QString& text) const {
    switch (FieldTextFault(text, maxBytes_)) {
        case TFieldTextFault::NotInCodePage:
            return QStringLiteral(
                "Текстът съдържа знак, който не може да бъде записан във файла на модела (кодова таблица "
                "Windows-1251).");
        case TFieldTextFault::TooLong:
            return QStringLiteral("Текстът може да бъде най-много %1 знака.").arg(maxBytes_);
        case TFieldTextFault::None:
            break;
    }
    return {};
}

QValidator::State TByteLimitValidator::validate(QString& input, int& pos) const {
    Q_UNUSED(pos)
    const QString message = Refusal(input);
    if (message.isEmpty()) return Acceptable;
    if (auto* w = qobject_cast<QWidget*>(parent()); w && w->isVisible())
        QToolTip::showText(w->mapToGlobal(QPoint(0, w->height())), message, w);
    return Invalid;
}

}  // namespace vormid
