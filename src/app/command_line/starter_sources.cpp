#include "app/command_line/starter_sources.h"

#include <initializer_list>
#include <string_view>

#include "platform/text_file.h"
#include "platform/text_rules.h"
#include "project/file_tree.h"

namespace cuffware {

namespace {

std::string Source(const std::string& fileName, std::initializer_list<std::string_view> about,
                   const std::vector<std::string>& body) {
    TextFile file;
    std::string upper = ToUpperAscii(fileName);
    file.Line(";**FILE " + upper);
    file.Line(";");
    for (std::string_view line : about)
        file.Line(std::string("; ") + std::string(line));
    file.Line(";");
    file.Line();
    for (const std::string& line : body)
        file.Line(line);
    file.Line();
    file.Line(";**END FILE " + upper);
    return file.Text();
}

std::string StateName(int state) {
    return "State" + std::to_string(state);
}

// The application's tag: the folder's first four characters in upper case,
// padded with blanks.
std::string Tag(const std::string& folder) {
    std::string tag = ToUpperAscii(folder.substr(0, 4));
    tag.resize(4, ' ');
    return tag;
}

StarterSource ParameterFile(const std::string& folder) {
    return {kParameterNode, "appparam.asm",
            Source("appparam.asm",
                   {"Parameter file: the application's parameter block, the bytes the",
                    "watch reads before it loads the code. Bytes 9 and 10 receive the",
                    "size of the code image when the application is packaged."},
                   {"        DB      \"" + Tag(folder) + "\"                  ; application tag",
                    "        DB      1, 0                    ; parameter layout version 1.0",
                    "        DB      APP_STATE_0             ; state entered at start",
                    "        DB      KEY_MODE                ; key that leaves the application",
                    "        DB      0                       ; flags: no password, no database",
                    "        DW      0                       ; code image size, set when packed"})};
}

StarterSource HeaderFile(int stateCount) {
    std::vector<std::string> body = {
        "; The application's variables live in its part of the core heap.",
        "APP_VAR_BASE           equ  HEAP_APP_VARS", "",
        "; The states, as CORE_SET_STATE takes them."};
    for (int state = 0; state < stateCount; ++state)
        body.push_back("APP_STATE_" + std::to_string(state) + "            equ  " +
                       std::to_string(state));
    return {kHeaderNode, "appdefs.h",
            Source("appdefs.h",
                   {"Header file: equates every section of the application shares.",
                    "It is included before the code of each section, so it holds",
                    "no code and no data, only names."},
                   body)};
}

StarterSource BackgroundHandler() {
    return {kBackgroundNode, "backgrnd.asm",
            Source("backgrnd.asm",
                   {"Background handler: the first code of the common section. The core",
                    "calls it with the event code in A on every event while the",
                    "application is loaded, whichever state is shown; keep it short."},
                   {"        GLOBAL  BackgroundHandler", "BackgroundHandler:", "        RET"})};
}

StarterSource CommonFile() {
    return {kCommonNode, "appcommon.asm",
            Source("appcommon.asm",
                   {"Common file: routines and tables every state uses. The common",
                    "section stays loaded beside each state, so what is here counts",
                    "against the overlay of every state. Declare each routine GLOBAL;",
                    "the states reach it through COMMINC.H."},
                   {"        GLOBAL  ShowTitle", "",
                    "; Shows the text HL points to (ended by 0) on the display line in A.",
                    "ShowTitle:", "        PUSH    HL", "        CARL    DISP_PUT_TEXT",
                    "        CARL    DISP_REFRESH", "        POP     HL", "        RET"})};
}

StarterSource StateFile(int state, int stateCount) {
    std::string name = StateName(state);
    std::string next = "APP_STATE_" + std::to_string((state + 1) % stateCount);
    std::string fileName = "appstate" + std::to_string(state) + ".asm";
    return {StateNode(state), fileName,
            Source(fileName,
                   {"State " + std::to_string(state) +
                        ": the code of this state, loaded into the overlay beside the",
                    "common section while the state is shown. The core calls the handler",
                    "with the event code in A; MODE goes on to the next state here."},
                   {name + "Handler:",
                    "        CP      A,#COREMAC_EVT_ENTER",
                    "        JRS     NZ," + name + "Key",
                    "        LD      HL,#" + name + "Title",
                    "        LD      A,#DISP_LINE_TOP",
                    "        CARL    ShowTitle",
                    "        RET",
                    name + "Key:",
                    "        CP      A,#COREMAC_EVT_KEY",
                    "        JRS     NZ," + name + "Done",
                    "        CARL    INPUT_GET_KEY",
                    "        CP      A,#KEY_MODE",
                    "        JRS     NZ," + name + "Done",
                    "        LD      A,#" + next,
                    "        CARL    CORE_SET_STATE",
                    name + "Done:",
                    "        RET",
                    "",
                    name + "Title:",
                    "        DB      \"STATE " + std::to_string(state) + "\", 0"})};
}

}  // namespace

std::string StarterTest(const std::string& folder) {
    TextFile file;
    file.Line("; Routine tests of " + folder + ", run on the simulator by");
    for (std::string_view line :
         {";     cuffware test SCRIPT",
          "; Each test calls one routine with the registers and memory it sets,",
          "; stubs the SDK entry points it calls, and says what must hold when",
          "; the routine returns. The format: docs/testing.md.", "",
          "test ShowTitle writes the title and shows it", "    call ShowTitle",
          "    set A = DISP_LINE_TOP, HL = 0x1234", "    stub DISP_PUT_TEXT calls 1",
          "    stub DISP_REFRESH calls 1", "    expect A = DISP_LINE_TOP, HL = 0x1234",
          "    expect stack <= 8", "end"})
        file.Line(line);
    return file.Text();
}

std::vector<StarterSource> StarterSources(const std::string& folder, int stateCount) {
    if (stateCount < 1)
        stateCount = 1;
    std::vector<StarterSource> sources = {ParameterFile(folder), HeaderFile(stateCount),
                                          BackgroundHandler(), CommonFile()};
    for (int state = 0; state < stateCount; ++state)
        sources.push_back(StateFile(state, stateCount));
    return sources;
}

}  // namespace cuffware
