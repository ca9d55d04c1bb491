// Compiled for 32-bit Windows (syntax only) by tools/windows-check.sh: the
// exports and the message handler share the __stdcall convention, so a host
// passes a callback declared like the functions it calls.
#include <type_traits>

#include "korvane.h"

static_assert(!std::is_same_v<void(__stdcall *)(const char *), void(__cdecl *)(const char *)>,
              "on this target the two conventions are different types");
static_assert(std::is_same_v<korvane_message_handler, void(__stdcall *)(const char *)>);
static_assert(std::is_same_v<decltype(&korvane_set_message_handler), void(__stdcall *)(korvane_message_handler)>);
static_assert(std::is_same_v<decltype(&setteifincls), int(__stdcall *)(const char *)>);
static_assert(std::is_same_v<decltype(&setteifin), int(__stdcall *)(const char *, const char *)>);
static_assert(std::is_same_v<decltype(&data_chekvb), int(__stdcall *)(const char *)>);
static_assert(std::is_same_v<decltype(&save_DXF),
                             int(__stdcall *)(const char *, const char *, const char *, const char *)>);
static_assert(std::is_same_v<decltype(&korvane_placement_angle),
                             int(__stdcall *)(const char *, const char *, const char *)>);
static_assert(std::is_same_v<decltype(&korvane_coordinate_table),
                             int(__stdcall *)(const char *, const char *, const char *, int)>);
static_assert(std::is_same_v<decltype(&korvane_landxml), int(__stdcall *)(const char *, const char *, const char *)>);
static_assert(std::is_same_v<decltype(&korvane_route_check), int(__stdcall *)(const char *, const char *)>);
static_assert(std::is_same_v<decltype(&korvane_route_table),
                             int(__stdcall *)(const char *, const char *, const char *, int)>);
static_assert(std::is_same_v<decltype(&korvane_route_stakes),
                             int(__stdcall *)(const char *, const char *, const char *, int)>);
static_assert(std::is_same_v<decltype(&korvane_route_sima), int(__stdcall *)(const char *, const char *, const char *)>);
static_assert(std::is_same_v<decltype(&korvane_route_landxml),
                             int(__stdcall *)(const char *, const char *, const char *)>);
static_assert(std::is_same_v<decltype(&korvane_route_report),
                             int(__stdcall *)(const char *, const char *, const char *, int)>);
static_assert(std::is_same_v<decltype(&korvane_route_save), int(__stdcall *)(const char *, const char *, const char *)>);
static_assert(std::is_same_v<decltype(&korvane_route_plan),
                             int(__stdcall *)(const char *, const char *, const char *, const char *, int)>);
