#include "app/StartOptions.h"

#include <algorithm>

#include "diagnostics/Diagnostics.h"

namespace vormid {

bool PageByName(const QString& name, TPageChoice& choice) {
    static const struct {
        const char* name;
        int main;
        int model;
        bool settings;
    } pages[] = {
        {"title", 0, -1, false},  {"description", 0, 0, false}, {"equation", 0, 1, false}, {"correlation", 0, 2, false},
        {"values", 1, -1, false}, {"budget", 2, -1, false},     {"settings", 2, -1, true},
    };
    for (const auto& p : pages) {
        if (name.compare(QLatin1String(p.name), Qt::CaseInsensitive) == 0) {
            choice = {p.main, p.model, p.settings};
            return true;
        }
    }
    return false;
}

TStartOptions ParseStartOptions(const QStringList& arguments) {
    using O = TStartOptions;
    static const std::pair<const char*, bool O::*> switches[] = {
        {"--help", &O::Help},       {"-h", &O::Help},         {"--unattended", &O::Unattended},
        {"--version", &O::Version}, {"--wide", &O::GrabWide}, {"--quit-when-shown", &O::QuitWhenShown}};
    static const std::pair<const char*, QString O::*> withValue[] = {
        {"--grab", &O::GrabFile}, {"--page", &O::GrabPage}, {"--select", &O::GrabQuantity}, {"--part", &O::GrabPart}};
    TStartOptions o;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments.at(i);
        const bool hasValue = i + 1 < arguments.size();
        const auto named = [&a](const auto& option) { return a == QLatin1String(option.first); };
        const auto* s = std::find_if(std::begin(switches), std::end(switches), named);
        const auto* v = std::find_if(std::begin(withValue), std::end(withValue), named);
        if (s != std::end(switches)) {
            o.*(s->second) = true;
        } else if (v != std::end(withValue) && hasValue) {
            o.*(v->second) = arguments.at(++i);
        } else if (a == QLatin1String("--size") && hasValue) {
            // "770x570": the window's size for the picture; anything else keeps 1100 x 760.
            const QStringList wh = arguments.at(++i).split(QLatin1Char('x'));
            bool okW = false, okH = false;
            const int w = wh.size() == 2 ? wh[0].toInt(&okW) : 0, h = wh.size() == 2 ? wh[1].toInt(&okH) : 0;
            if (okW && okH && w > 0 && h > 0 && w <= 10000 && h <= 10000) o.GrabSize = QSize(w, h);
        } else if (!IsDebugSwitch(a.toStdString()) && !a.startsWith(QLatin1String("--"))) {
            o.Files << a;  // other switches are the toolkit's or a later version's
        }
    }
    return o;
}

QString StartUsage() {
    return QStringLiteral(
        "Употреба: vormid [ФАЙЛ.gmf ...]\n"
        "\n"
        "Отваря програмата за оценка на неопределеността на измерване. Когато тя вече\n"
        "работи, файловете се отварят в работещия прозорец, а без файлове той се показва.\n"
        "  -h, --help           тази помощ\n"
        "  --version            версията на програмата\n"
        "  -debug, /debug       записва отчет за средата при старта (HHDebug.txt)\n"
        "  --unattended         прозорците със съобщения се отговарят с бутона по подразбиране\n"
        "  --quit-when-shown    показва времето за старт и спира\n"
        "  --grab ФАЙЛ.png      записва картина на прозореца и спира\n"
        "    --page СТРАНИЦА    title, description, equation, correlation, values, budget\n"
        "                       или settings (диалогът за формата на числата)\n"
        "    --select ВЕЛИЧИНА  избраната величина\n"
        "    --wide             широкият списък на величините\n"
        "    --size ШxВ         размерът на прозореца (1100x760, най-малко 770x570)\n"
        "    --part ЕЛЕМЕНТ     само този елемент на прозореца (DistributionChart1, Histogram1, ...)\n"
        "\n"
        "Без прозорец: vormid-cli --help.\n");
}

}  // namespace vormid
