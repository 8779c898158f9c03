// Excel instances with real COM: each one a process of the xlhost program, asked over a pipe on
// its standard input and answering on another on its standard output. A reply is framed as its
// length in decimal, a line break, then its bytes.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <deque>
#include <string>

#include "os/os.h"

namespace xlhost::os {
namespace {

// The argument as the C runtime's command-line parser reads it back: quoted, with the
// backslashes before a quote doubled and the quote escaped.
std::string quoted(const std::string& argument) {
    std::string out = "\"";
    size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        out.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        out += c;
    }
    out.append(backslashes * 2, '\\');
    return out + "\"";
}

bool write_all(HANDLE handle, const std::string& bytes) {
    size_t written = 0;
    while (written < bytes.size()) {
        DWORD count = 0;
        if (!WriteFile(handle, bytes.data() + written, static_cast<DWORD>(bytes.size() - written), &count, nullptr) ||
            count == 0)
            return false;
        written += count;
    }
    return true;
}

// A child that answers nothing for this long is taken for hung: it is ended.
constexpr DWORD silence_allowed_ms = 60000;

// Reads `size` bytes from the child's output. Waits while the child runs and is within its
// time; false once it ended with nothing more to read, or stayed silent too long.
bool read_exactly(HANDLE output, HANDLE process, char* into, size_t size) {
    size_t read = 0;
    DWORD waited = 0;
    while (read < size) {
        DWORD available = 0;
        if (!PeekNamedPipe(output, nullptr, 0, nullptr, &available, nullptr)) return false;
        if (available == 0) {
            if (waited >= silence_allowed_ms) {
                TerminateProcess(process, 3);
                return false;
            }
            // Ended with nothing left: no more to come.
            if (WaitForSingleObject(process, 2) == WAIT_OBJECT_0) {
                if (!PeekNamedPipe(output, nullptr, 0, nullptr, &available, nullptr) || available == 0) return false;
            } else {
                waited += 2;
                continue;
            }
        }
        DWORD count = 0;
        const DWORD wanted = static_cast<DWORD>(std::min<size_t>(size - read, available));
        if (!ReadFile(output, into + read, wanted, &count, nullptr) || count == 0) return false;
        read += count;
        waited = 0;
    }
    return true;
}


class Child final : public ChildProcess {
public:
    Child(PROCESS_INFORMATION process, HANDLE input, HANDLE output) : process_(process), input_(input), output_(output) {}
    ~Child() override {
        CloseHandle(input_);  // its end of input: the copy leaves its loop and ends
        if (WaitForSingleObject(process_.hProcess, 60000) != WAIT_OBJECT_0) TerminateProcess(process_.hProcess, 3);
        CloseHandle(output_);
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
    bool send(const std::string& line) override { return write_all(input_, line + "\n"); }
    bool receive(std::string* reply) override {
        size_t size = 0;
        for (int digits = 0;; ++digits) {
            char c = 0;
            if (!read_exactly(output_, process_.hProcess, &c, 1)) return false;
            if (c == '\n' && digits > 0) break;
            if (c < '0' || c > '9' || digits == 9) return false;  // framing broken, or a reply of a gigabyte
            size = size * 10 + static_cast<size_t>(c - '0');
        }
        reply->assign(size, '\0');
        return read_exactly(output_, process_.hProcess, reply->data(), size);
    }

private:
    PROCESS_INFORMATION process_;
    HANDLE input_, output_;
};

// Lines read from standard input by a thread of their own, handed to the thread that answers.
struct RequestQueue {
    CRITICAL_SECTION lock;
    HANDLE arrived = nullptr;  // set when a line arrived or the input ended
    std::deque<std::string> lines;
    bool ended = false;
};

DWORD WINAPI read_requests(void* context) {
    auto& queue = *static_cast<RequestQueue*>(context);
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    std::string pending;
    char buffer[4096];
    DWORD count = 0;
    while (ReadFile(input, buffer, sizeof buffer, &count, nullptr) && count > 0) {
        pending.append(buffer, count);
        EnterCriticalSection(&queue.lock);
        for (size_t end; (end = pending.find('\n')) != std::string::npos; pending.erase(0, end + 1))
            queue.lines.push_back(pending.substr(0, end));
        LeaveCriticalSection(&queue.lock);
        SetEvent(queue.arrived);
    }
    EnterCriticalSection(&queue.lock);
    queue.ended = true;
    LeaveCriticalSection(&queue.lock);
    SetEvent(queue.arrived);
    return 0;
}

}  // namespace

bool automation_crosses_processes() { return true; }

std::unique_ptr<ChildProcess> start_xlhost(const std::vector<std::string>& arguments, std::string* error) {
    char own[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, own, sizeof own);
    if (length == 0 || length >= sizeof own) {
        *error = "cannot find this program's own file";
        return nullptr;
    }
    std::string program(own, length);
    program = program.substr(0, program.find_last_of("\\/") + 1) + VX_XLHOST_PROGRAM_NAME;
    std::string command = quoted(program);
    for (const std::string& argument : arguments) command += " " + quoted(argument);

    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    HANDLE input_read = nullptr, input_write = nullptr, output_read = nullptr, output_write = nullptr;
    if (!CreatePipe(&input_read, &input_write, &inherited, 0)) {
        *error = "cannot make a pipe for an instance";
        return nullptr;
    }
    if (!CreatePipe(&output_read, &output_write, &inherited, 0)) {
        CloseHandle(input_read);
        CloseHandle(input_write);
        *error = "cannot make a pipe for an instance";
        return nullptr;
    }
    // This program's ends stay here; the copy inherits only its own.
    SetHandleInformation(input_write, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(output_read, HANDLE_FLAG_INHERIT, 0);
    HANDLE error_output = nullptr;
    DuplicateHandle(GetCurrentProcess(), GetStdHandle(STD_ERROR_HANDLE), GetCurrentProcess(), &error_output, 0, TRUE,
                    DUPLICATE_SAME_ACCESS);

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input_read;
    startup.hStdOutput = output_write;
    startup.hStdError = error_output;
    PROCESS_INFORMATION process{};
    const BOOL started =
        CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
    CloseHandle(input_read);
    CloseHandle(output_write);
    if (error_output) CloseHandle(error_output);
    if (!started) {
        CloseHandle(input_write);
        CloseHandle(output_read);
        *error = "cannot start " + program;
        return nullptr;
    }
    return std::make_unique<Child>(process, input_write, output_read);
}

void answer_requests(const std::function<std::string(const std::string&)>& answer) {
    RequestQueue queue;
    InitializeCriticalSection(&queue.lock);
    queue.arrived = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    HANDLE reader = CreateThread(nullptr, 0, read_requests, &queue, 0, nullptr);
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    for (bool running = reader != nullptr && queue.arrived != nullptr; running;) {
        // Window messages carry the calls other processes make into the objects served here.
        if (MsgWaitForMultipleObjects(1, &queue.arrived, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
            continue;
        }
        for (;;) {
            EnterCriticalSection(&queue.lock);
            const bool have = !queue.lines.empty();
            std::string line = have ? queue.lines.front() : "";
            if (have) queue.lines.pop_front();
            const bool ended = !have && queue.ended;
            LeaveCriticalSection(&queue.lock);
            if (ended) running = false;
            if (!have) break;
            const std::string reply = answer(line);
            if (!write_all(output, std::to_string(reply.size()) + "\n" + reply)) running = false;
            if (!running) break;
        }
    }
    if (reader) {
        WaitForSingleObject(reader, INFINITE);
        CloseHandle(reader);
    }
    if (queue.arrived) CloseHandle(queue.arrived);
    DeleteCriticalSection(&queue.lock);
}

}  // namespace xlhost::os
