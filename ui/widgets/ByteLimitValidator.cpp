#include "ui/widgets/ByteLimitValidator.h"

#include <QToolTip>
#include <QWidget>

#include "core/Cp1251.h"

namespace vormid {

bool IsCp1251Text(const QString& text) {
    // The program's own table: Qt 6.4 has no Windows-1251 encoder of its own
    // here (a named QStringEncoder is invalid), and a check through it took
    // every character.
    for (char32_t cp : text.toUcs4())
        if (!CodePointToCp1251(cp)) return false;
    return true;
}

int Cp1251Length(const QString& text) {
    // Every character of the code page is one byte; the few outside the
    // basic plane (two UTF-16 units) have no code anyway.
    return static_cast<int>(text.size());
}

TByteLimitValidator::TByteLimitValidator(int maxBytes, QObject* parent) : QValidator(parent), maxBytes_(maxBytes) {}

QString TByteLimitValidator::Refusal(const QString& text) const {
    if (!IsCp1251Text(text))
        return QStringLiteral(
            "Текстът съдържа знак, който не може да бъде записан във файла на модела (кодова таблица Windows-1251).");
    if (Cp1251Length(text) > maxBytes_)
        return QStringLiteral("Текстът може да бъде най-много %1 знака.").arg(maxBytes_);
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
