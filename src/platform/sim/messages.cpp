// Message boxes and debugger output of the stand-in: recorded in order for the host to read.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/control/platform_control.h"
#include "platform/sim/sim_state.h"

namespace {
std::vector<plat_control::MessageBoxRecord> boxes;
int answer = plat::id_ok;
std::vector<std::string> debug;
bool echo = std::getenv("VARENTIS_DEBUG") != nullptr;
}  // namespace

namespace plat_control {
const std::vector<MessageBoxRecord>& message_boxes() { return boxes; }
void message_boxes_clear() { boxes.clear(); }
void message_box_set_answer(int value) { answer = value; }
const std::vector<std::string>& debug_lines() { return debug; }
void debug_lines_clear() { debug.clear(); }
void debug_set_echo(bool value) { echo = value; }

}  // namespace plat_control

namespace sim::detail {
void reset_records() {
    boxes.clear();
    answer = plat::id_ok;
    debug.clear();
}
}  // namespace sim::detail

namespace plat {

int message_box(Window owner, const char* text, const char* caption, unsigned style) {
    boxes.push_back({owner, text ? text : "", caption ? caption : "Error", style});
    return answer;
}

void debug_output(const char* text) {
    debug.emplace_back(text ? text : "");
    if (echo) std::fprintf(stderr, "%s", text ? text : "");
}

int format_text(char* buffer, size_t size, const char* format, va_list args) {
    if (buffer == nullptr || size == 0) return 0;
    const int length = std::vsnprintf(buffer, size, format, args);
    if (length < 0) {
        buffer[0] = '\0';
        return 0;
    }
    return static_cast<size_t>(length) < size ? length : static_cast<int>(size - 1);
}

}  // namespace plat
