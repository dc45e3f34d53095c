#pragma once
// Readable names of window message numbers, for logging and message tracing.
#include <cstdint>
#include <string>

// The name of message Msg: its entry in the table of known messages; otherwise
// "wm_User message (%d)" for 1024..32767 and "Undocumented (%d)" for anything else.
std::string GetMessageName(int32_t Msg);

// The table behind GetMessageName, in its fixed order: window messages, the class
// library's control messages and control notifications, then tree-view messages.
struct TMessageName {
    const char* Name;
    int32_t Msg;
};
const TMessageName* MessageNames();
int32_t MessageNameCount();
