#include "generate/sdk_headers.h"

#include <array>

namespace cuffware {

namespace {

// Every name is upper case with ".H"; a module's macro header follows it.
constexpr std::array<std::string_view, 54> kNames = {
    // model
    "MODEL.H",
    // hardware
    "CPU.H",
    "PORT.H",
    "TIMER.H",
    "LCD.H",
    "KEY.H",
    "BUZZER.H",
    "EEPROM.H",
    "IRCOMM.H",
    "POWER.H",
    // core
    "CORE.H",
    "COREMAC.H",
    "HEAPMAC.H",
    // communication
    "COMM.H",
    // display
    "DISPLAY.H",
    "DISPMAC.H",
    "FONT.H",
    // database
    "DBASE.H",
    "DBASEMAC.H",
    // audio
    "SOUND.H",
    "SOUNDMAC.H",
    // utilities
    "UTIL.H",
    "UTILMAC.H",
    "MATH.H",
    "MATHMAC.H",
    "STRING.H",
    "STRMAC.H",
    "TIME.H",
    "TIMEMAC.H",
    "INPUT.H",
    "INPUTMAC.H",
    "UTILVAR.H",
    "TIMEVAR.H",
    // system modules
    "ALARM.H",
    "ALARMMAC.H",
    "CHRONO.H",
    "CHRONMAC.H",
    "COUNTDN.H",
    "CNTDNMAC.H",
    "MENU.H",
    "MENUMAC.H",
    "SETTING.H",
    "SETMAC.H",
    "MODE.H",
    "MODEMAC.H",
    "STATE.H",
    "STATEMAC.H",
    // password module
    "PASSWORD.H",
    "PASSVAR.H",
    "PASSMAC.H",
    // event module
    "EVENT.H",
    "EVENTVAR.H",
    // additions
    "ADDITION.H",
    "ADDMAC.H",
};

constexpr std::span<const std::string_view> Slice(size_t first, size_t count) {
    return std::span<const std::string_view>(kNames).subspan(first, count);
}

const std::array<SdkHeaderGroup, 12> kGroups = {{
    {"model", Slice(0, 1)},
    {"hardware", Slice(1, 9)},
    {"core", Slice(10, 3)},
    {"communication", Slice(13, 1)},
    {"display", Slice(14, 3)},
    {"database", Slice(17, 2)},
    {"audio", Slice(19, 2)},
    {"utilities", Slice(21, 12)},
    {"system modules", Slice(33, 14)},
    {"password module", Slice(47, 3)},
    {"event module", Slice(50, 2)},
    {"additions", Slice(52, 2)},
}};

}  // namespace

std::span<const SdkHeaderGroup> SdkHeaderGroups() {
    return kGroups;
}

std::span<const std::string_view> SdkHeaderNames() {
    return kNames;
}

}  // namespace cuffware
