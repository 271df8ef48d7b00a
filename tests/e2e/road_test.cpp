// Runs the built cuffware program on the demo, as a user would from a shell.

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>

#include "support/temp_dir.h"
#include "support/tree_snapshot.h"
#include "toolchain/assembler/assembler.h"
#include "toolchain/isa/encoder.h"
#include "toolchain/isa/instruction_set.h"
#include "toolchain/object/s_records.h"

namespace cuffware {
namespace {

using testing::SnapshotTree;
using testing::TempDir;

struct Outcome {
    int status = -1;
    std::string output;  // standard output and standard error together
};

Outcome Shell(const std::string& command) {
    Outcome outcome;
    FILE* pipe = popen(("( " + command + " ) 2>&1").c_str(), "r");
    if (!pipe)
        return outcome;
    char buffer[4096];
    size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        outcome.output.append(buffer, got);
    int status = pclose(pipe);
    outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return outcome;
}

std::string Cuffware() {
    return std::string(CUFFWARE_BIN_DIR) + "/cuffware";
}

// The line the demo ends with: the command that opens it in the window
// program, named by its path, or how to get that program where it was not built.
std::string OpenInWindowLine(const TempDir& dir) {
    std::string builder = std::string(CUFFWARE_BIN_DIR) + "/cuffware-builder";
    if (!std::filesystem::exists(builder))
        return "The window program cuffware-builder was not built beside this program (in " +
               std::string(CUFFWARE_BIN_DIR) +
               "): it needs Qt 6. With Qt 6 installed (on Debian: apt install qt6-base-dev), "
               "bash scripts/demo builds it and names it here; or build it by hand as "
               "docs/platforms.md says.\n";
    return "Open it in the window with: WINEPREFIX=" + dir.path() + " " + builder + " --settings " +
           (dir / "builder.ini") + " 'c:\\q740\\app\\demo\\build\\demo.scr'\n";
}

// The road's commands on a demo laid out under dir, with its c: drive.
// After: what follows the script on the command line ("2>/dev/null").
Outcome RunOnDemo(const TempDir& dir, const std::string& command, const std::string& folder,
                  const std::string& after = "") {
    return Shell("WINEPREFIX='" + dir.path() + "' '" + Cuffware() + "' --settings '" +
                 (dir / "builder.ini") + "' " + command + " 'c:\\q740\\app\\" + folder +
                 "\\build\\" + folder + ".scr' " + after);
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::string LastLine(const std::string& output) {
    size_t end = output.find_last_not_of('\n');
    size_t start = output.rfind('\n', end);
    size_t begin = start == std::string::npos ? 0 : start + 1;
    return output.substr(begin, end + 1 - begin);
}

int Word(const std::string& bytes, size_t offset) {
    return static_cast<unsigned char>(bytes[offset]) | static_cast<unsigned char>(bytes[offset + 1])
                                                           << 8;
}

// The number the analysis printed after caption.
int Reported(const std::string& output, const std::string& caption) {
    size_t at = output.find(caption);
    return at == std::string::npos ? -1 : std::stoi(output.substr(at + caption.size()));
}

class Road : public ::testing::Test {
  protected:
    void SetUp() override {
        Outcome laid = Shell("'" + Cuffware() + "' demo '" + dir.path() + "'");
        ASSERT_EQ(laid.status, 0) << laid.output;
        demoOutput = laid.output;
    }
    std::string Build(const std::string& name) const {
        return "drive_c/q740/app/demo/build/" + name;
    }

    TempDir dir;
    std::string demoOutput;
};

TEST_F(Road, TheDemoRunsFromNothingToTheDownloader) {
    for (const char* text :
         {"Build scripts generated", "Successful Generation of Cuffware Build Scripts",
          "Executing the build scripts", "Cuffware code generated",
          "Successful Generation of Cuffware Files", "Code File: demo_code_018.bin",
          "Overlay Size: 900", "Section  Memory Usage", "Package complete"})
        EXPECT_TRUE(Contains(demoOutput, text)) << text << "\n" << demoOutput;
    EXPECT_FALSE(Contains(demoOutput, "ERROR"));
    // It ends saying where everything is and how to open it in the window,
    // naming the program as a shell reaches it from here (not on PATH).
    EXPECT_TRUE(demoOutput.ends_with("  settings: " + (dir / "builder.ini") + "\n" +
                                     "  builder scripts: c:\\q740\\app\\demo\\build\\demo.scr, "
                                     "c:\\q740\\app\\overflow\\build\\overflow.scr\n" +
                                     OpenInWindowLine(dir)))
        << demoOutput;
    EXPECT_TRUE(Contains(demoOutput, "Load it into the watch with: WINEPREFIX=" + dir.path() + " " +
                                         Cuffware() + " --settings "))
        << demoOutput;
    int overlay = Reported(demoOutput, "Maximum Overlay Usage: ");
    EXPECT_TRUE(overlay >= 400 && overlay <= 600) << overlay;  // fits with a margin

    // The image the analysis read is the one the packaging wrote.
    std::string image = dir.Read(Build("demo_code_018.bin"));
    ASSERT_GE(image.size(), 64u);
    EXPECT_EQ(static_cast<size_t>(Word(image, 0)), image.size());
    EXPECT_TRUE(Contains(demoOutput, "EEPROM Memory Usage: " + std::to_string(Word(image, 0))));
    EXPECT_TRUE(Contains(demoOutput, "Code Size: " + std::to_string(Word(image, 2))));
    EXPECT_EQ(image[5], 4);  // common and three states
    std::string parameters = dir.Read(Build("demo_par_018.bin"));
    ASSERT_EQ(parameters.size(), 28u);
    EXPECT_EQ(static_cast<size_t>(Word(parameters, 9)), image.size());
    EXPECT_TRUE(dir.Exists(Build("demo.app")));
    EXPECT_TRUE(dir.Exists(Build("demo.txt")));

    // The states are located where the common section ends.
    std::string equates = dir.Read(Build("comminc.h"));
    size_t end = equates.find("CommonCodeEnd equ 0x");
    ASSERT_NE(end, std::string::npos) << equates;
    std::string state0 = dir.Read(Build("state0.sre"));
    EXPECT_EQ(state0.substr(state0.find("\r\n") + 6, 6), equates.substr(end + 20, 6));
}

// The listing's columns: the address, the bytes, the cycles and the text.
constexpr size_t kAddressColumn = 8, kBytesColumn = 16, kCyclesColumn = 29, kTextColumn = 34;

// Each row of a listing, with the bytes it shows.
std::vector<std::pair<std::string, std::string>> ListedRows(const std::string& listing) {
    std::vector<std::pair<std::string, std::string>> rows;
    size_t start = 0;
    for (size_t end; (end = listing.find("\r\n", start)) != std::string::npos; start = end + 2) {
        std::string row = listing.substr(start, end - start);
        if (row.size() < kBytesColumn || row[0] == ';')
            continue;
        std::string bytes;
        for (size_t at = kBytesColumn; at + 2 <= kCyclesColumn && at < row.size() && row[at] != ' ';
             at += 3)
            bytes += static_cast<char>(std::stoi(row.substr(at, 2), nullptr, 16));
        rows.emplace_back(row, bytes);
    }
    return rows;
}

// The bytes a section's listing shows, each instruction line checked to be
// as long as the table's form for its code; -1 when one is not.
int ListedBytes(const std::string& listing) {
    int total = 0;
    for (const auto& [row, bytes] : ListedRows(listing)) {
        std::istringstream text(row.size() > kTextColumn ? row.substr(kTextColumn) : "");
        std::string word;
        text >> word;
        if (word.ends_with(':') && !(text >> word))
            word.clear();
        const toolchain::InstructionForm* form =
            toolchain::FormAt({reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()});
        if (row.substr(kAddressColumn, 6) != "      " && toolchain::IsMnemonic(word) &&
            (!form || form->length != static_cast<int>(bytes.size()) || form->mnemonic != word))
            return -1;
        total += static_cast<int>(bytes.size());
    }
    return total;
}

// The analysis counts exactly the bytes the listings show, instructions at
// their table lengths; dis88 reads the code back from the S-records.
TEST_F(Road, TheAnalysisCountsTheBytesOfTheInstructionsInTheListings) {
    const std::pair<const char*, const char*> sections[] = {{"common.lst", "Common   "},
                                                            {"state0.lst", "State 0  "},
                                                            {"state1.lst", "State 1  "},
                                                            {"state2.lst", "State 2  "}};
    for (const auto& [listing, caption] : sections) {
        ASSERT_TRUE(dir.Exists(Build(listing))) << listing;
        ASSERT_GT(Reported(demoOutput, caption), 0) << caption;
        EXPECT_EQ(ListedBytes(dir.Read(Build(listing))), Reported(demoOutput, caption)) << listing;
    }
    Outcome code = Shell("'" + std::string(CUFFWARE_BIN_DIR) + "/dis88' --listing '" +
                         (dir / Build("common.sre")) + "'");
    EXPECT_EQ(code.status, 0) << code.output;
    EXPECT_TRUE(code.output.starts_with("010000  ")) << code.output;
    EXPECT_TRUE(Contains(code.output, "  DIV\n")) << code.output;
}

// After the road, every listing shows the located program: each address and
// byte it lists is the byte at that address in the section's S-records.
TEST_F(Road, EveryListedAddressAndByteIsInTheSRecords) {
    for (const char* name : {"common", "param", "state0", "state1", "state2"}) {
        std::string records = std::string(name) + ".sre", listing = std::string(name) + ".lst";
        Result<std::vector<toolchain::LoadedBytes>> runs =
            toolchain::ReadSRecords(dir.Read(Build(records)), records);
        ASSERT_TRUE(runs.ok()) << records;
        std::map<long long, char> image;
        for (const toolchain::LoadedBytes& run : *runs) {
            for (size_t i = 0; i < run.bytes.size(); ++i)
                image[run.address + static_cast<long long>(i)] = run.bytes[i];
        }
        size_t checked = 0;
        for (const auto& [row, bytes] : ListedRows(dir.Read(Build(listing)))) {
            std::string address = row.substr(kAddressColumn, 6);
            EXPECT_EQ(row.find(" xx "), std::string::npos) << listing << ": " << row;
            if (address == "      ")
                continue;
            ASSERT_EQ(address.find_first_not_of("0123456789ABCDEF"), std::string::npos)
                << listing << ": " << row;
            long long at = std::stoll(address, nullptr, 16);
            for (size_t i = 0; i < bytes.size(); ++i, ++checked) {
                auto byte = image.find(at + static_cast<long long>(i));
                ASSERT_NE(byte, image.end()) << listing << ": " << row;
                EXPECT_EQ(byte->second, bytes[i]) << listing << ": " << row;
            }
        }
        EXPECT_GT(checked, 0u) << listing;
    }
}

// Each of the demo's located sections, disassembled by dis88 with its map
// and the common section's equates, assembles again at its address to the
// same bytes, calls into the common section by name.
TEST_F(Road, TheDemosCodeDisassemblesAndAssemblesAgainToTheSameBytes) {
    for (const char* name : {"common", "state0", "state1", "state2"}) {
        std::string records = std::string(name) + ".sre";
        Result<std::vector<toolchain::LoadedBytes>> runs =
            toolchain::ReadSRecords(dir.Read(Build(records)), records);
        ASSERT_TRUE(runs.ok() && runs->size() == 1) << name;
        Outcome source =
            Shell("cd '" + (dir / Build("")) + "' && '" + std::string(CUFFWARE_BIN_DIR) +
                  "/dis88' " + records + " --map --equ=common.equ");
        ASSERT_EQ(source.status, 0) << source.output;
        EXPECT_TRUE(Contains(source.output, "        DEFSECT \".text\", CODE AT 0x")) << name;
        if (std::string(name) == "common") {
            EXPECT_TRUE(Contains(source.output, "\nStopwatchTick:\n")) << source.output;
        } else if (std::string(name) == "state0") {
            EXPECT_TRUE(Contains(source.output, "        CARL PlayBeep ")) << source.output;
        }
        Result<toolchain::Assembly> again = toolchain::Assemble(
            "again.asm", [&](const std::string&) -> Result<std::string> { return source.output; });
        ASSERT_TRUE(again.ok()) << name << ": " << again.error().message << "\n" << source.output;
        EXPECT_EQ(again->module.sections[0].bytes, (*runs)[0].bytes) << name;
    }
}

TEST_F(Road, EachCommandRunsOnItsOwn) {
    for (const char* command : {"generate", "build", "package", "download"}) {
        Outcome step = RunOnDemo(dir, command, "demo");
        EXPECT_EQ(step.status, 0) << command << "\n" << step.output;
    }
    Outcome analysis = RunOnDemo(dir, "analyze", "demo");
    EXPECT_EQ(analysis.status, 0) << analysis.output;
    EXPECT_TRUE(Contains(analysis.output, "State 2  "));

    // What a script reads: the JSON object alone on standard output, and the
    // last line of package naming the package's files where they lie.
    Outcome json = RunOnDemo(dir, "analyze --json", "demo", "2>/dev/null");
    EXPECT_EQ(json.status, 0);
    EXPECT_TRUE(json.output.starts_with("{\"codeFile\":\"demo_code_018.bin\",")) << json.output;
    EXPECT_TRUE(json.output.ends_with("\"exceeded\":false}]}\n")) << json.output;
    Outcome package = RunOnDemo(dir, "package", "demo");
    EXPECT_TRUE(Contains(
        package.output, "\nPackage ready in c:\\q740\\app\\demo\\build (" + dir.path() +
                            "/dosdevices/c:/q740/app/demo/build): demo_code_018.bin, "
                            "demo_par_018.bin, demo.app, demo.txt\nLoad it into the watch with: "
                            "WINEPREFIX=" +
                            dir.path() + " " + Cuffware() + " --settings " + (dir / "builder.ini") +
                            " download 'c:\\q740\\app\\demo\\build\\demo.scr'\n"))
        << package.output;
    EXPECT_FALSE(dir.Exists(Build("cuffware.lock")));  // the lock leaves nothing behind
}

// A headless build killed while its batch runs leaves the batch holding the
// build directory until it ends: package is refused meanwhile, so the
// orphaned batch's "del *.bin" cannot take the package away under it.
TEST_F(Road, AKilledBuildLeavesTheBuildDirectoryToItsBatch) {
    for (const char* command : {"generate", "build", "package"})
        ASSERT_EQ(RunOnDemo(dir, command, "demo").status, 0) << command;
    dir.Write(Build("wait"), "#!/bin/sh\ntouch started\nwhile [ ! -e go ]; do sleep 0.05; done\n");
    std::filesystem::permissions(dir / Build("wait"), std::filesystem::perms::owner_all);
    dir.Write(Build("build.bat"), "@ECHO OFF\r\nwait\r\ndel *.bin\r\n");

    Outcome killed = Shell("cd '" + dir / Build("") + "' && WINEPREFIX='" + dir.path() + "' '" +
                           Cuffware() + "' --settings '" + (dir / "builder.ini") +
                           "' build demo.scr >/dev/null 2>&1 & build=$!; while [ ! -e '" +
                           dir / Build("started") + "' ]; do sleep 0.05; done; kill -9 $build");
    ASSERT_EQ(killed.status, 0) << killed.output;
    Outcome refused = RunOnDemo(dir, "package", "demo");
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(Contains(refused.output, "The build directory is in use by another program."))
        << refused.output;

    dir.Write(Build("go"), "");
    Outcome after = RunOnDemo(dir, "package", "demo");  // waits for the batch to end
    EXPECT_EQ(after.status, 0) << after.output;
    for (const char* file : {"demo_code_018.bin", "demo_par_018.bin", "demo.txt"})
        EXPECT_TRUE(dir.Exists(Build(file))) << file;
}

TEST_F(Road, AnOverflowingApplicationEndsWithStatusThreeAndError) {
    Outcome road = RunOnDemo(dir, "--quiet all", "overflow");
    EXPECT_EQ(road.status, 3) << road.output;
    EXPECT_TRUE(Contains(road.output, " ERROR")) << road.output;
    int overlay = Reported(road.output, "Maximum Overlay Usage: ");
    EXPECT_GT(overlay, 900);
    EXPECT_TRUE(Contains(road.output, "State 2  " + std::to_string(overlay) + "  " +
                                          std::to_string((overlay * 100 + 450) / 900) +
                                          "%  over by " + std::to_string(overlay - 900) + "\n"))
        << road.output;
    EXPECT_TRUE(Contains(road.output, "The 900-byte overlay is exceeded by State 2 (" +
                                          std::to_string(overlay) + " bytes).\n"));
    EXPECT_TRUE(LastLine(road.output)
                    .starts_with("Failed: the package does not fit the 900-byte overlay; its "
                                 "files are in c:\\q740\\app\\overflow\\build ("))
        << road.output;
    EXPECT_FALSE(Contains(road.output, "\n> ")) << "--quiet leaves out the echo";
    EXPECT_FALSE(Contains(road.output, "Could Not Find"));

    // The sections that exceed are named on standard error only.
    Outcome standardOutput = RunOnDemo(dir, "analyze", "overflow", "2>/dev/null");
    EXPECT_EQ(standardOutput.status, 3);
    EXPECT_FALSE(Contains(standardOutput.output, "exceeded by"));
}

TEST_F(Road, ASourceErrorStopsThePackagingAtTheMissingSRecord) {
    std::string source = "drive_c/q740/app/demo/src/settime.asm";
    dir.Write(source, dir.Read(source) + "        FROBNICATE A\r\n");

    Outcome build = RunOnDemo(dir, "build", "demo");
    EXPECT_NE(build.status, 0) << build.output;
    // The last line leads with the assembler's message and names the batch line.
    std::string verdict = LastLine(build.output);
    EXPECT_TRUE(verdict.starts_with("Failed: c:\\q740\\app\\demo\\src\\settime.asm:")) << verdict;
    EXPECT_TRUE(
        verdict.ends_with(": cannot read line: unknown instruction or directive "
                          "'FROBNICATE' (c:\\q740\\app\\demo\\build\\build.bat, line 54)"))
        << verdict;
    EXPECT_TRUE(Contains(build.output, "  included from state1.asm:")) << build.output;
    EXPECT_TRUE(dir.Exists(Build("state2.sre")));  // the batch ran on past the failing section
    EXPECT_FALSE(dir.Exists(Build("demo_code_018.bin")));  // the earlier image was cleaned up

    Outcome package = RunOnDemo(dir, "package", "demo");
    EXPECT_EQ(package.status, 1);
    EXPECT_TRUE(Contains(package.output,
                         "c:\\q740\\app\\demo\\build\\STATE1.SRE not found. "
                         "Correct errors and Run Build Scripts again."))
        << package.output;
    EXPECT_TRUE(Contains(package.output, "Unable to create Cuffware code"));
    EXPECT_EQ(LastLine(package.output),
              "Failed: c:\\q740\\app\\demo\\build\\STATE1.SRE not found. "
              "Correct errors and Run Build Scripts again.");
    EXPECT_FALSE(dir.Exists(Build("demo_code_018.bin")));
    EXPECT_FALSE(dir.Exists(Build("demo_par_018.bin")));
}

// A new project builds at once with our tools; a second new of the
// same folder writes nothing, and the state count is checked against the tree.
TEST_F(Road, ANewProjectBuildsAtOnceAndIsNeverOverwritten) {
    std::string settings = "WINEPREFIX='" + dir.path() + "' '" + Cuffware() + "' --settings '" +
                           (dir / "builder.ini") + "' ";
    Outcome made = Shell(settings + "new alarm --states 3");
    ASSERT_EQ(made.status, 0) << made.output;
    EXPECT_TRUE(Contains(made.output, "all 'c:\\q740\\app\\alarm\\build\\alarm.scr'\n"));

    Outcome road = RunOnDemo(dir, "all", "alarm");
    EXPECT_EQ(road.status, 0) << road.output;
    EXPECT_TRUE(Contains(road.output, "State 2  ")) << road.output;
    EXPECT_FALSE(Contains(road.output, "State 3  "));

    std::string state = "drive_c/q740/app/alarm/src/appstate1.asm";
    dir.Write(state, "edited");
    Outcome again = Shell(settings + "new alarm");
    EXPECT_EQ(again.status, 1);
    EXPECT_TRUE(Contains(again.output, "appparam.asm already exists; nothing was written."))
        << again.output;
    EXPECT_EQ(dir.Read(state), "edited");

    for (const char* bad : {"new other --states 0", "new other --states 17", "new 'a:b'", "new",
                            "new other --states"})
        EXPECT_EQ(Shell(settings + bad).status, 2) << bad;
    EXPECT_FALSE(dir.Exists("drive_c/q740/app/other"));
}

// The set-up check passes on the demo's drive and names each missing piece,
// with the host path it looked at; a Windows program asks for wine.
TEST_F(Road, TheDoctorNamesWhatIsMissing) {
    std::string doctor = "WINEPREFIX='" + dir.path() + "' '" + Cuffware() + "' --settings '" +
                         (dir / "builder.ini") + "' doctor";
    Outcome healthy = Shell(doctor);
    EXPECT_EQ(healthy.status, 0) << healthy.output;
    EXPECT_FALSE(Contains(healthy.output, "FAIL")) << healthy.output;

    std::filesystem::remove(dir / "drive_c/q740/bin/CuffwareDL.exe");
    dir.Write("drive_c/c88/bin/as88.exe", "MZ");
    Outcome broken = Shell("PATH=/nowhere " + doctor);
    EXPECT_EQ(broken.status, 1);
    for (const std::string& line :
         {"FAIL  downloader: not found, not even with .exe, .com or .bat added: "
          "c:\\q740\\bin\\CuffwareDL.exe (" +
              dir.path() + "/dosdevices/c:/q740/bin/CuffwareDL.exe)\n",
          "ok    assembler as88: c:\\c88\\bin\\as88.exe (" + dir.path() +
              "/dosdevices/c:/c88/bin/as88.exe), a Windows program\n",
          std::string("FAIL  wine: not on PATH; it runs the Windows programs assembler as88\n"
                      "      what to do: install wine"),
          "      what to do: set the SDK directory to where it is installed: Tools > Options in "
          "the window, or BIN= in " +
              (dir / "builder.ini") + "\n",
          "The set-up cannot build: 2 of 14 checks failed. To see a build work first, try the "
          "bundled demo: " +
              Cuffware() + " demo\n"})
        EXPECT_TRUE(Contains(broken.output, line)) << line << broken.output;
    EXPECT_TRUE(healthy.output.ends_with("\nThe set-up can build: every check passed.\n"));
}

// The line after lead in what was printed.
std::string LineAfter(const Outcome& printed, const std::string& lead) {
    size_t at = printed.output.find("\n" + lead);
    EXPECT_NE(at, std::string::npos) << lead << "\n" << printed.output;
    size_t from = at + 1 + lead.size();
    return printed.output.substr(from, printed.output.find('\n', from) - from);
}

// What the program prints for a user to run pastes into a shell as it is,
// for a folder whose name holds a blank and a quote: new's line, then the
// line that follows each verdict. The lines carry the Wine prefix the run
// was given, and name the program by its path where PATH does not find it:
// they work in a shell that has neither.
TEST_F(Road, PrintedCommandsPasteIntoAShell) {
    auto paste = [&](const Outcome& printed, const std::string& lead) {
        return Shell("unset WINEPREFIX; " + LineAfter(printed, lead));
    };
    Outcome made = Shell("WINEPREFIX='" + dir.path() + "' '" + Cuffware() + "' --settings '" +
                         (dir / "builder.ini") + "' new \"Jane's clock\"");
    ASSERT_EQ(made.status, 0) << made.output;
    EXPECT_EQ(LineAfter(made, "Build it with: "),
              "WINEPREFIX=" + dir.path() + " " + Cuffware() + " --settings " +
                  (dir / "builder.ini") +
                  " all 'c:\\q740\\app\\Jane'\\''s clock\\build\\Jane'\\''s clock.scr'");
    Outcome all = paste(made, "Build it with: ");
    EXPECT_EQ(all.status, 0) << all.output;
    EXPECT_TRUE(dir.Exists("drive_c/q740/app/Jane's clock/build/Jane's clock.app"));
    Outcome download = paste(all, "Load it into the watch with: ");
    EXPECT_EQ(download.status, 0) << download.output;
    EXPECT_TRUE(Contains(download.output, "Package complete")) << download.output;

    Outcome build = RunOnDemo(dir, "build", "demo");
    Outcome package = paste(build, "Package it with: ");
    EXPECT_EQ(package.status, 0) << package.output;

    // Where PATH finds this very program, its name is enough.
    Outcome onPath =
        Shell("PATH='" + std::string(CUFFWARE_BIN_DIR) + "':\"$PATH\" " + "WINEPREFIX='" +
              dir.path() + "' cuffware --settings '" + (dir / "builder.ini") +
              "' build 'c:\\q740\\app\\demo\\build\\demo.scr'");
    EXPECT_TRUE(LineAfter(onPath, "Package it with: ")
                    .starts_with("WINEPREFIX=" + dir.path() + " cuffware --settings "))
        << onPath.output;
}

// A script on a Wine drive that cannot be opened names the host file looked at.
TEST_F(Road, AMissingScriptOnTheDriveNamesItsHostPath) {
    Outcome outcome = RunOnDemo(dir, "all", "countdown");
    EXPECT_EQ(outcome.status, 1);
    EXPECT_TRUE(Contains(outcome.output, "c:\\q740\\app\\countdown\\build\\countdown.scr (" +
                                             dir.path() +
                                             "/dosdevices/c:/q740/app/countdown/build/"
                                             "countdown.scr): cannot open"))
        << outcome.output;
}

// The demo laid out as the Wine prefix dir/p: its build directory
// c:\q740\app\demo\build lies six levels below dir, where dir/outside is a
// host directory no run may touch.
class RoadBounds : public ::testing::Test {
  protected:
    void SetUp() override {
        Outcome laid = Shell("'" + Cuffware() + "' demo '" + (dir / "p") + "'");
        ASSERT_EQ(laid.status, 0) << laid.output;
        dir.Write("outside/keep.txt", "the host's own\n");
        dir.Write("p/drive_c/outside/on-the-drive.txt", "c:\\outside\n");
        before = SnapshotTree(dir.path(), dir / "p");
    }
    // command run in the build directory on the demo's script.
    Outcome InBuild(const std::string& command) const {
        return Shell("cd '" + (dir / Build("")) + "' && WINEPREFIX='" + (dir / "p") + "' '" +
                     Cuffware() + "' --settings '" + (dir / "p/builder.ini") + "' " + command +
                     " 'c:\\q740\\app\\demo\\build\\demo.scr'");
    }
    static std::string Build(const std::string& name) {
        return "p/drive_c/q740/app/demo/build/" + name;
    }
    // The script with its line (1-based) replaced.
    void SetScriptLine(int line, const std::string& text) const {
        std::string script = dir.Read(Build("demo.scr"));
        size_t start = 0;
        for (int n = 1; n < line; ++n)
            start = script.find("\r\n", start) + 2;
        script.replace(start, script.find("\r\n", start) - start, text);
        dir.Write(Build("demo.scr"), script);
    }

    void ExpectNothingOutsideChanged() const {
        testing::TreeSnapshot after = SnapshotTree(dir.path(), dir / "p");
        EXPECT_TRUE(after == before) << testing::EntryNames(after);
    }

    TempDir dir;
    testing::TreeSnapshot before;
};

TEST_F(RoadBounds, AHostileOutputInTheBatchStaysOnTheDrive) {
    std::string batch = dir.Read(Build("build.bat"));
    const std::string link = "common.obj -o common.out";
    ASSERT_NE(batch.find(link), std::string::npos);
    batch.replace(batch.find(link), link.size(),
                  "common.obj -o ..\\..\\..\\..\\..\\..\\outside\\pwn.out");
    dir.Write(Build("build.bat"), batch);

    Outcome build =
        Shell("WINEPREFIX='" + (dir / "p") + "' '" + Cuffware() + "' --settings '" +
              (dir / "p/builder.ini") + "' build 'c:\\q740\\app\\demo\\build\\demo.scr'");
    EXPECT_TRUE(dir.Exists("p/drive_c/outside/pwn.out")) << build.output;
    ExpectNothingOutsideChanged();
}

// A build directory without a drive is on the current drive: generate from
// the build directory writes below c:\outside, never in dir/outside; a
// network path is refused naming the field.
TEST_F(RoadBounds, ABuildDirectoryWithoutADriveStaysOnTheCurrentDrive) {
    const std::string rooted = "\\" + dir.path().substr(1) + "\\outside\\bd";
    std::string rootedOnDrive = "p/drive_c" + dir.path() + "/outside";
    std::filesystem::create_directories(dir / rootedOnDrive);
    const std::pair<std::string, std::string> cases[] = {
        {"..\\..\\..\\..\\..\\..\\outside\\bd", "p/drive_c/outside/bd"},
        {"../../../../../../outside/bd", "p/drive_c/outside/bd"},
        {rooted, rootedOnDrive + "/bd"},
    };
    std::string script = dir.Read(Build("demo.scr"));
    for (const auto& [buildDirectory, landing] : cases) {
        SCOPED_TRACE(buildDirectory);
        dir.Write(Build("demo.scr"), script);
        SetScriptLine(12, buildDirectory);
        Outcome generate = InBuild("generate");
        EXPECT_EQ(generate.status, 0) << generate.output;
        EXPECT_TRUE(dir.Exists(landing + "/build.bat")) << generate.output;
        ExpectNothingOutsideChanged();
    }

    dir.Write(Build("demo.scr"), script);
    SetScriptLine(12, "\\\\server\\share\\bd");
    Outcome network = InBuild("generate");
    EXPECT_EQ(network.status, 1);
    EXPECT_TRUE(Contains(network.output,
                         "demo.scr), line 12: the build directory "
                         "\"\\\\server\\share\\bd\" is a network path"))
        << network.output;
    ExpectNothingOutsideChanged();
}

// A relative WINEPREFIX is taken from the directory cuffware starts in, for
// every step and every program it starts (the batch runner runs in the
// build directory, the tools too).
TEST_F(RoadBounds, ARelativeWinePrefixHoldsForEveryStep) {
    Outcome all = Shell("cd '" + dir.path() + "' && WINEPREFIX=p '" + Cuffware() +
                        "' --settings p/builder.ini all 'c:\\q740\\app\\demo\\build\\demo.scr'");
    EXPECT_EQ(all.status, 0) << all.output;
    EXPECT_TRUE(Contains(all.output, "Package ready in")) << all.output;
    ExpectNothingOutsideChanged();
}

// The demo ran its routine tests after all; a second run finds the build
// up to date and does not build again, and --json gives the same counts.
TEST_F(Road, TheDemoPassesItsRoutineTests) {
    EXPECT_TRUE(Contains(demoOutput, "PASS StopwatchTick counts a second on (")) << demoOutput;
    EXPECT_TRUE(Contains(demoOutput, "PASS PlayMelody plays every word up to the end mark ("));
    EXPECT_TRUE(Contains(demoOutput, "PASS ClockShowDate shows the month and the day ("));
    EXPECT_TRUE(Contains(demoOutput, "\n13 passed, 0 failed\n")) << demoOutput;

    Outcome again = RunOnDemo(dir, "test", "demo");
    EXPECT_EQ(again.status, 0) << again.output;
    EXPECT_FALSE(Contains(again.output, "build.bat")) << again.output;
    EXPECT_TRUE(again.output.ends_with("13 passed, 0 failed\n")) << again.output;

    Outcome json = RunOnDemo(dir, "--json test", "demo", "2>/dev/null");
    EXPECT_EQ(json.status, 0);
    EXPECT_TRUE(
        json.output.starts_with("{\"tests\":[{\"file\":\"c:\\\\q740\\\\app\\\\demo\\\\"
                                "test\\\\clock.tst\",\"name\":\"ClockState shows the time "
                                "on a tick\",\"passed\":true,\"cycles\":"))
        << json.output;
    EXPECT_TRUE(json.output.ends_with("],\"passed\":13,\"failed\":0}\n")) << json.output;
}

// A new project's starter test passes (building first); a failing test names
// what it expected and saw, and the stub's count, with the last
// instructions; a malformed file is refused with its place before anything
// runs; an edited source makes the next run build again, its lines kept off
// the JSON.
TEST_F(Road, ANewProjectsTestsPassFailAndRefuseAsWritten) {
    std::string settings = "WINEPREFIX='" + dir.path() + "' '" + Cuffware() + "' --settings '" +
                           (dir / "builder.ini") + "' ";
    ASSERT_EQ(Shell(settings + "new alarm").status, 0);
    Outcome first = RunOnDemo(dir, "--quiet test", "alarm");
    EXPECT_EQ(first.status, 0) << first.output;
    EXPECT_TRUE(Contains(first.output, "build.bat done")) << first.output;
    EXPECT_TRUE(first.output.ends_with(
        "PASS ShowTitle writes the title and shows it (31 cycles)\n1 passed, 0 failed\n"))
        << first.output;

    const std::string tests = "drive_c/q740/app/alarm/test/";
    dir.Write(tests + "wrong.tst",
              "test ShowTitle miscounted\n"
              "    call ShowTitle\n"
              "    set A = DISP_LINE_BOTTOM\n"
              "    stub DISP_REFRESH calls 2\n"
              "    expect A = 5, Z = 1\n"
              "end\n"
              "test a stub gives no more than its header says\n"
              "    call ShowTitle\n"
              "    stub DISP_REFRESH returns 1\n"
              "end\n");
    Outcome failed = RunOnDemo(dir, "test", "alarm");
    EXPECT_EQ(failed.status, 1) << failed.output;
    EXPECT_FALSE(Contains(failed.output, "build.bat")) << failed.output;
    EXPECT_TRUE(Contains(failed.output,
                         "\nFAIL ShowTitle miscounted: expected A = 0x05, seen 0x02; expected Z = "
                         "1, seen 0; expected 2 calls of DISP_REFRESH, seen 1 (calls made: "
                         "DISP_PUT_TEXT 0x00C204 1x, DISP_REFRESH 0x00C20C 1x)\n    "))
        << failed.output;
    EXPECT_TRUE(Contains(failed.output, "  RET  ")) << failed.output;
    EXPECT_TRUE(failed.output.ends_with(
        "\nFAIL a stub gives no more than its header says: DISP_REFRESH gives nothing (its "
        "header), not BA\n1 passed, 2 failed\n"))
        << failed.output;

    dir.Write(tests + "bad.tst", "test unfinished\n    call ShowTitle\n    expect A == 1\nend\n");
    Outcome refused = RunOnDemo(dir, "test", "alarm");
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(Contains(refused.output,
                         "c:\\q740\\app\\alarm\\test\\bad.tst:3:15: error: "
                         "expected a number or a name, not '='\n"))
        << refused.output;
    EXPECT_FALSE(Contains(refused.output, "passed"));

    dir.Write(tests + "bad.tst", "");
    dir.Write(tests + "wrong.tst", "");
    dir.Write("drive_c/q740/app/alarm/src/appcommon.asm",
              dir.Read("drive_c/q740/app/alarm/src/appcommon.asm"));
    // With --json the build's lines go to standard error with the status lines.
    Outcome rebuilt = RunOnDemo(dir, "--json test", "alarm", "2>'" + (dir / "errors.txt") + "'");
    EXPECT_EQ(rebuilt.status, 0) << rebuilt.output;
    EXPECT_TRUE(Contains(dir.Read("errors.txt"), "build.bat done"));
    EXPECT_EQ(rebuilt.output,
              "{\"tests\":[{\"file\":\"c:\\\\q740\\\\app\\\\alarm\\\\test\\\\appcommon.tst\","
              "\"name\":\"ShowTitle writes the title and shows it\",\"passed\":true,\"cycles\":31,"
              "\"failures\":[],\"trace\":[]}],\"passed\":1,\"failed\":0}\n");
}

TEST(RoadErrors, AMissingScriptFailsWithItsPath) {
    TempDir dir;
    Outcome outcome = Shell("'" + Cuffware() + "' --settings '" + (dir / "builder.ini") +
                            "' generate '" + (dir / "nothing.scr") + "'");
    EXPECT_EQ(outcome.status, 1);
    EXPECT_TRUE(Contains(outcome.output, dir / "nothing.scr"));
}

}  // namespace
}  // namespace cuffware
