#pragma once
// The start-up probe: where the program lives, where a report can be
// written, whether diagnostics are on, and the optional report "HHDebug.txt".
// Every failure of the probe is silent. Standard library and POSIX only.
#include <string>
#include <vector>

namespace vormid {

struct TDiagnostics {
    std::string ModulePath;  // full path of the running program file
    std::string ModuleName;  // its file name
    std::string ModuleDir;   // its directory, no trailing slash
    std::string RunDir;      // the program's directory as its command line names it
    std::string ReportDir;   // ModuleDir when writable, else the temporary directory
    bool DiagnosticsOn = false;
    std::vector<std::string> Params;  // the command-line parameters (without the program)

    // This platform has no separate help viewer or browser component to
    // probe: the values stay empty and false.
    std::string HelpViewerPath;
    bool HelpViewerInstalled = false;
    std::string HelpViewerVersion;
    std::string HelpViewerFriendlyVersion;
    bool BrowserInstalled = false;
    std::string BrowserVersion;
    std::string BrowserFriendlyVersion;

    std::string ReportPath() const;
};

inline constexpr const char* kReportFileName = "HHDebug.txt";
inline constexpr const char* kDebugSwitchFile = "debug.debug";
inline constexpr const char* kWritabilityProbeFile = "$_Temp_$.$$$";

// Steps 1-3 of the probe for a program file and its command line (argv[0]
// first). tempDir empty means the system's temporary directory. No throw.
TDiagnostics ProbeEnvironment(const std::string& modulePath, const std::vector<std::string>& commandLine,
                              const std::string& tempDir = std::string());

// The whole probe for this process: the values above, an old report
// deleted, and the report written when diagnostics are on. No throw.
TDiagnostics RunStartupProbe(int argc, char** argv);

// Deletes an old report and writes a new one when diagnostics are on. No throw.
void WriteDiagnosticsReport(const TDiagnostics& diagnostics);

// The report's lines before the line writer's rules are applied.
std::vector<std::string> DiagnosticsReportLines(const TDiagnostics& diagnostics);

// Appends one line: "-" and "=" become 80 of that character; a leading "!",
// "-" or "=" is dropped; any other line gets three blanks and the time
// appended. A file that cannot be opened drops the line. No throw.
void WriteReportLine(const std::string& reportPath, const std::string& line);

// Whether a parameter switches diagnostics on ("/debug", "-debug", any case).
bool IsDebugSwitch(const std::string& param);

}  // namespace vormid
