#include "diagnostics/Diagnostics.h"

#include <langinfo.h>
#include <locale.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace vormid {

namespace fs = std::filesystem;

namespace {

std::string WithoutTrailingSlash(std::string dir) {
    while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
    return dir;
}

std::string ParentDir(const std::string& path) {
    std::string::size_type slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string TempDir(const std::string& given) {
    if (!given.empty()) return WithoutTrailingSlash(given);
    std::error_code ec;
    fs::path temp = fs::temp_directory_path(ec);
    if (!ec && fs::is_directory(temp, ec)) return WithoutTrailingSlash(temp.string());
    return "/tmp";
}

// Creating and deleting a file is the only reliable test of writability.
bool CanCreateFileIn(const std::string& dir) {
    std::string probe = dir + "/" + kWritabilityProbeFile;
    std::FILE* f = std::fopen(probe.c_str(), "wx");
    if (!f) return false;
    std::fclose(f);
    std::remove(probe.c_str());
    return true;
}

std::string Hex4(unsigned value) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "0x%04X", value & 0xFFFFu);
    return buf;
}

std::string NowText(const char* format) {
    std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    char buf[64];
    std::strftime(buf, sizeof buf, format, &tm);
    return buf;
}

// The numeric locale's name, as the C library would choose it.
std::string NumericLocaleName() {
    for (const char* var : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
        const char* value = std::getenv(var);
        if (value && *value) return value;
    }
    return "C";
}

// Windows language identifiers of the locales a laboratory is likely to
// use; the report keeps their familiar form. Unknown languages give 0.
struct TLangId {
    const char* code;
    unsigned primary;
    unsigned sub;
};
constexpr TLangId kLangIds[] = {
    {"bg", 0x02, 0x01}, {"en", 0x09, 0x01}, {"de", 0x07, 0x01}, {"ru", 0x19, 0x01}, {"fr", 0x0C, 0x01},
    {"it", 0x10, 0x01}, {"es", 0x0A, 0x03}, {"uk", 0x22, 0x01}, {"pl", 0x15, 0x01}, {"cs", 0x05, 0x01},
    {"sr", 0x1A, 0x03}, {"mk", 0x2F, 0x01}, {"ro", 0x18, 0x01}, {"el", 0x08, 0x01}, {"tr", 0x1F, 0x01},
};

TLangId LanguageOf(const std::string& locale) {
    if (locale == "C" || locale == "POSIX" || locale.rfind("C.", 0) == 0) return {"en", 0x09, 0x01};
    std::string lang = locale.substr(0, locale.find_first_of("_.@"));
    for (const TLangId& id : kLangIds)
        if (lang == id.code) return id;
    return {"", 0, 0};
}

std::string DecimalSeparator(const std::string& locale) {
    locale_t loc = newlocale(LC_NUMERIC_MASK, locale.c_str(), static_cast<locale_t>(0));
    if (loc == static_cast<locale_t>(0)) return ".";
    std::string sep = nl_langinfo_l(RADIXCHAR, loc);
    freelocale(loc);
    return sep.empty() ? "." : sep;
}

std::string OperatingSystem() {
    utsname u{};
    if (uname(&u) != 0) return "Linux 0.0.0";
    int major = 0, minor = 0, build = 0;
    std::sscanf(u.release, "%d.%d.%d", &major, &minor, &build);
    return std::string(u.sysname) + " " + std::to_string(major) + "." + std::to_string(minor) + "." +
           std::to_string(build);
}

std::string Joined(const std::vector<std::string>& parts, const char* separator) {
    std::string out;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i) out += separator;
        out += parts[i];
    }
    return out;
}

}  // namespace

std::string TDiagnostics::ReportPath() const { return ReportDir + "/" + kReportFileName; }

bool IsDebugSwitch(const std::string& param) {
    std::string lower = param;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return lower == "/debug" || lower == "-debug";
}

TDiagnostics ProbeEnvironment(const std::string& modulePath, const std::vector<std::string>& commandLine,
                              const std::string& tempDir) {
    TDiagnostics d;
    try {
        d.ModulePath = modulePath;
        std::string::size_type slash = modulePath.rfind('/');
        d.ModuleName = slash == std::string::npos ? modulePath : modulePath.substr(slash + 1);
        d.ModuleDir = WithoutTrailingSlash(ParentDir(modulePath));
        d.RunDir = WithoutTrailingSlash(ParentDir(commandLine.empty() ? modulePath : commandLine.front()));
        if (commandLine.size() > 1) d.Params.assign(commandLine.begin() + 1, commandLine.end());

        d.ReportDir = CanCreateFileIn(d.ModuleDir) ? d.ModuleDir : TempDir(tempDir);

        std::error_code ec;
        d.DiagnosticsOn = fs::exists(d.ModuleDir + "/" + kDebugSwitchFile, ec);
        if (!d.DiagnosticsOn) d.DiagnosticsOn = std::any_of(d.Params.begin(), d.Params.end(), IsDebugSwitch);
    } catch (...) {
        // The probe never stops the program; what was found so far stays.
    }
    return d;
}

std::vector<std::string> DiagnosticsReportLines(const TDiagnostics& d) {
    std::string locale = NumericLocaleName();
    TLangId lang = LanguageOf(locale);
    unsigned lcid = (lang.sub << 10) | lang.primary;
    auto v = [](const std::string& value) { return "\t" + value; };
    return {
        "!Filename:             " + v(d.ReportPath()),
        "!Date:                 " + v(NowText("%d.%m.%Y %H:%M:%S")),
        "!Operating System:      " + v(OperatingSystem()),
        "!SysLocale.DefaultLCID: " + v(Hex4(lcid)),
        "!SysLocale.PriLangID:   " + v(Hex4(lang.primary)),
        "!SysLocale.SubLangID:   " + v(Hex4(lang.sub)),
        "!DecimalSeparator:      " + v(DecimalSeparator(locale)),
        "-",
        "!EXE Path =          " + v(d.ModulePath),
        "!Cmdline Param(s) =  " + v(Joined(d.Params, " | ")),
        "!_RunDir =           " + v(d.RunDir),
        "!_ModuleName =       " + v(d.ModuleName),
        "!_ModuleDir =        " + v(d.ModuleDir),
        "-",
        "!_hhInstalled =      " + v(d.HelpViewerInstalled ? "YES" : "NO"),
        "!_hhVerStr =         " + v(d.HelpViewerVersion),
        "!_hhFriendlyVerStr = " + v(d.HelpViewerFriendlyVersion),
        "-",
        "!_ieInstalled =      " + v(d.BrowserInstalled ? "YES" : "NO"),
        "!_ieVerStr =         " + v(d.BrowserVersion),
        "!_ieFriendlyVerStr = " + v(d.BrowserFriendlyVersion),
        "=",
    };
}

void WriteReportLine(const std::string& reportPath, const std::string& line) {
    try {
        std::string text = line;
        if (text == "-" || text == "=") text = std::string(80, text[0]);
        if (!text.empty() && (text[0] == '!' || text[0] == '-' || text[0] == '='))
            text.erase(0, 1);
        else
            text += "   " + NowText("%H:%M:%S");
        std::ofstream out(reportPath, std::ios::app | std::ios::binary);
        if (!out) return;
        out << text << '\n';
    } catch (...) {
        // A report line that cannot be written is dropped.
    }
}

void WriteDiagnosticsReport(const TDiagnostics& d) {
    try {
        std::string path = d.ReportPath();
        std::error_code ec;
        fs::remove(path, ec);
        if (!d.DiagnosticsOn) return;
        for (const std::string& line : DiagnosticsReportLines(d)) WriteReportLine(path, line);
    } catch (...) {
        // Silent by design: diagnostics never disturb the start.
    }
}

TDiagnostics RunStartupProbe(int argc, char** argv) {
    std::string modulePath;
    std::error_code ec;
    fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (!ec)
        modulePath = self.string();
    else if (argc > 0)
        modulePath = fs::absolute(argv[0], ec).string();
    std::vector<std::string> commandLine(argv, argv + std::max(argc, 0));
    TDiagnostics d = ProbeEnvironment(modulePath, commandLine);
    WriteDiagnosticsReport(d);
    return d;
}

}  // namespace vormid
