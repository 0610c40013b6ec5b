#include "cli/Tool.h"

#include <algorithm>
#include <exception>
#include <iostream>
#include <new>

#include "cli/Commands.h"
#include "cli/ExitCodes.h"
#include "cli/OutputOrigin.h"

namespace vormid::cli {
namespace {

using Command = ToolCommand;

const std::vector<Command>& BaseCommands() {
    static const std::vector<Command> commands = {
        {{"budget",
          "изчислява бюджетите на неопределеността на модела",
          "Употреба: vormid-cli budget ФАЙЛ.gmf [--format text|csv|json]\n"
          "\n"
          "Зарежда модела, изчислява бюджета на всеки резултат така, както го прави\n"
          "страницата \"Бюджет\", и го извежда.\n"
          "  --format text   таблица за всеки резултат с видимите колони на файла (по подразбиране)\n"
          "  --format csv    по един ред за всяка величина и за всеки резултат (RFC 4180, UTF-8)\n"
          "  --format json   всички стойности с пълна точност\n"
          "Изходен код 1, ако поне един бюджет не може да се изчисли.\n"
          "ФАЙЛ \"-\" е стандартният вход.\n",
          1,
          {{"--format", {"text", "csv", "json"}, "text"}}},
         RunBudget},
        {{"mc",
          "разпространение на разпределенията по метода Монте Карло и проверка на бюджета",
          "Употреба: vormid-cli mc ФАЙЛ.gmf [--result ИМЕ] [--trials N | --fixed N] [--digits D]\n"
          "                     [--seed S] [--threads T] [--format text|json]\n"
          "\n"
          "Тегли всяка входна величина от разпределението, което посочва видът ѝ (корелираните\n"
          "съвместно), изчислява уравнението на резултата за всеки опит и дава средната\n"
          "стойност, стандартната неопределеност, симетричния и най-късия интервал на\n"
          "покриване. Опитите вървят на групи по 10 000, докато резултатът се стабилизира до\n"
          "половин единица в последната от D значещи цифри на неопределеността. Накрая\n"
          "проверява интервала y ± U на бюджета: \"потвърден\", когато двата му края са в\n"
          "рамките на този толеранс.\n"
          "  --result ИМЕ    само този резултат (по подразбиране всички)\n"
          "  --trials N      най-много N опита (по подразбиране 10000000)\n"
          "  --fixed N       точно N опита, избрани предварително: без спиране при стабилизиране\n"
          "  --digits D      значещи цифри на неопределеността за толеранса (по подразбиране 2)\n"
          "  --seed S        начало на случайните числа; едно и също S дава едни и същи\n"
          "                  резултати при всеки брой нишки (по подразбиране 1)\n"
          "  --threads T     брой нишки (по подразбиране 0: по една на ядро)\n"
          "  --format text   резултатите с думите на програмата (по подразбиране)\n"
          "  --format json   всички стойности с пълна точност\n"
          "Изходен код 1, ако някой резултат не може да се изчисли (например опит, при който\n"
          "уравнението няма стойност).\n",
          1,
          {{"--result", {}, ""},
           {"--trials", {}, ""},
           {"--fixed", {}, ""},
           {"--digits", {}, "2"},
           {"--seed", {}, "1"},
           {"--threads", {}, "0"},
           {"--format", {"text", "json"}, "text"}}},
         RunMc},
        {{"stats",
          "статистика на величините от Тип А",
          "Употреба: vormid-cli stats ФАЙЛ.gmf [--format text|json]\n"
          "\n"
          "Извежда статистиката на всяка величина от Тип А, изчислена след зареждането.\n"
          "  --format text   таблицата на страницата \"Наблюдение\" (по подразбиране)\n"
          "  --format json   всички стойности и класовете на хистограмата с пълна точност\n"
          "ФАЙЛ \"-\" е стандартният вход.\n",
          1,
          {{"--format", {"text", "json"}, "text"}}},
         RunStats},
        {{"dump",
          "показва съдържанието на файла поле по поле",
          "Употреба: vormid-cli dump ФАЙЛ.gmf\n"
          "\n"
          "Показва заглавието на файла, отместването и дължината на всяка секция и всяко\n"
          "поле на всяка секция. При повреден файл показва прочетеното и мястото на повредата\n"
          "(изходен код 3).\n",
          1,
          {}},
         RunDump},
        {{"export",
          "записва целия модел като JSON на стандартния изход",
          "Употреба: vormid-cli export ФАЙЛ.gmf\n"
          "\n"
          "Извежда целия модел като JSON документ: всички полета на всички величини,\n"
          "корелациите, записаните бюджети и настройките на изгледа. Текст, който не е\n"
          "текст в Windows-1251, се записва като {\"base64\": ...}, така че нищо не се губи.\n"
          "ФАЙЛ \"-\" е стандартният вход.\n",
          1,
          {}},
         RunExport},
        {{"import",
          "създава файл на модел от JSON документ",
          "Употреба: vormid-cli import МОДЕЛ.json -o ФАЙЛ.gmf\n"
          "\n"
          "Проверява JSON документа (във вида, който дава export) и записва модела във\n"
          "ФАЙЛ.gmf. Грешка в документа се съобщава с името на полето и файл не се записва.\n"
          "  -o ФАЙЛ.gmf     файлът, който се създава или заменя (\"-\": стандартният изход)\n"
          "МОДЕЛ.json \"-\" е стандартният вход.\n",
          1,
          {{"-o", {}, "", true}}},
         RunImport},
        {{"validate",
          "проверява програмата по публикувани изчислени примери",
          "Употреба: vormid-cli validate\n"
          "\n"
          "Изчислява вградените примери от публикувани източници (JCGM 100:2008, приложения H.1\n"
          "и H.2; EA-4/02 M:2013, пример S2) и сравнява всяка публикувана стойност (стойност на\n"
          "резултата, u_c, ν_eff, k, U) с изчислената в допуска на закръглението ѝ в източника.\n"
          "Извежда източника и модела на всеки пример и по един ред за всяка стойност.\n"
          "  --save ПАПКА    записва и моделите на примерите в ПАПКА (ИД.gmf), за преглед в прозореца\n"
          "Изходен код 0 само когато всички стойности съвпадат, иначе 1.\n",
          0,
          {{"--save", {}, ""}}},
         RunValidate},
    };
    return commands;
}

std::vector<Command> AllCommands(const std::vector<Command>& extra) {
    std::vector<Command> all = BaseCommands();
    all.insert(all.end(), extra.begin(), extra.end());
    return all;
}

std::vector<CommandSpec> Specs(const std::vector<Command>& commands) {
    std::vector<CommandSpec> specs;
    for (const auto& c : commands) specs.push_back(c.Usage);
    return specs;
}

void PrintOverview(const std::vector<Command>& commands, std::ostream& out) {
    out << "Употреба: vormid-cli КОМАНДА [ОПЦИИ] ФАЙЛ\n\nКоманди:\n";
    for (const auto& c : commands) {
        std::string name = c.Usage.Name;
        name.resize(std::max<std::size_t>(name.size() + 2, 10), ' ');
        out << "  " << name << c.Usage.Synopsis << '\n';
    }
    out << "\n  vormid-cli КОМАНДА --help   помощ за командата\n"
           "  vormid-cli --version        версията\n"
           "\nИзходни кодове: 0 успех; 1 бюджет не може да се изчисли; 2 грешна команда;\n"
           "3 файлът не може да се прочете или запише, или е повреден.\n";
}

}  // namespace

int RunTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
            const std::vector<ToolCommand>& extra) {
    try {
        const std::vector<Command> commands = AllCommands(extra);
        const std::vector<CommandSpec> specs = Specs(commands);
        ParsedArgs parsed = ParseArgs(args, specs);
        if (parsed.Version) {
            out << kProgramName << ' ' << ProgramVersion() << '\n';
            return kExitOk;
        }
        if (parsed.Help && !parsed.Command) {
            PrintOverview(commands, out);
            return kExitOk;
        }
        if (parsed.Help) {
            out << parsed.Command->Help;
            return kExitOk;
        }
        for (const auto& c : commands)
            if (c.Usage.Name == parsed.Command->Name) return c.Run(parsed, out, err);
        return kExitUsage;
    } catch (const UsageError& e) {
        err << "vormid-cli: " << e.what() << "\nВижте \"vormid-cli --help\".\n";
        return kExitUsage;
    } catch (const std::bad_alloc&) {
        err << "vormid-cli: няма достатъчно памет\n";
        return kExitFileError;
    } catch (const std::exception& e) {  // a FileError among them
        err << "vormid-cli: " << e.what() << '\n';
        return kExitFileError;
    }
}

int ToolMain(int argc, char** argv, const std::vector<ToolCommand>& extra) {
    std::ios::sync_with_stdio(false);
    const int status = RunTool(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr, extra);
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "vormid-cli: стандартният изход не може да се запише\n";
        return kExitFileError;
    }
    return status;
}

}  // namespace vormid::cli
