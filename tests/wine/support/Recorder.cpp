#include "wine/support/Recorder.h"

#include <cstdio>

#include "wine/support/StartProcess.h"
#include "wine/support/WaitUntil.h"

namespace tressel::testing {
namespace {

std::wstring FolderOfThisExe() {
    std::wstring path(MAX_PATH, L'\0');
    DWORD length = 0;
    while ((length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) ==
           path.size())
        path.resize(path.size() * 2);
    path.resize(length);
    return path.substr(0, path.find_last_of(L"\\/"));
}

}  // namespace

bool ParseRecordedEvent(const std::string& line, RecordedEvent& event) {
    RecordedEvent e;
    int injected = 0;
    unsigned long long extra = 0;
    if (line.rfind("mouse ", 0) == 0) {
        e.kind = RecordedEvent::Mouse;
        if (std::sscanf(line.c_str(),
                        "mouse msg=0x%x x=%ld y=%ld data=0x%lx delta=%d flags=0x%lx injected=%d "
                        "extra=0x%llx",
                        &e.message, &e.x, &e.y, &e.data, &e.delta, &e.flags, &injected,
                        &extra) != 8)
            return false;
    } else if (line.rfind("key ", 0) == 0) {
        e.kind = RecordedEvent::Key;
        if (std::sscanf(line.c_str(),
                        "key msg=0x%x vk=0x%lx scan=0x%lx flags=0x%lx injected=%d extra=0x%llx",
                        &e.message, &e.vk, &e.scan, &e.flags, &injected, &extra) != 6)
            return false;
    } else {
        return false;
    }
    e.injected = injected != 0;
    e.extra = extra;
    event = e;
    return true;
}

bool Recorder::Start(std::chrono::milliseconds timeout) {
    wchar_t tempFolder[MAX_PATH];
    wchar_t tempFile[MAX_PATH];
    GetTempPathW(MAX_PATH, tempFolder);
    GetTempFileNameW(tempFolder, L"rec", 0, tempFile);
    logPath_ = tempFile;

    std::wstring command =
        L"\"" + FolderOfThisExe() + L"\\InputRecorder.exe\" \"" + logPath_ + L"\"";
    StartedProcess started = StartProcess(command);
    if (!started.process) {
        std::fprintf(stderr, "Recorder: cannot start InputRecorder.exe\n");
        return false;
    }
    process_ = std::move(started.process);
    threadId_ = started.threadId;
    const bool ready = WaitUntil(
        [&] {
            for (const std::string& line : ReadLines())
                if (line == "ready") return true;
            return WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0;  // it gave up
        },
        timeout);
    if (!ready || WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0) {
        std::fprintf(stderr, "Recorder: InputRecorder.exe did not get ready\n");
        Stop();
        return false;
    }
    return true;
}

void Recorder::Stop() {
    if (!process_) return;
    PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    if (WaitForSingleObject(process_.get(), 5000) != WAIT_OBJECT_0) {
        TerminateProcess(process_.get(), 1);
        WaitForSingleObject(process_.get(), 5000);
    }
    process_.reset();
    DeleteFileW(logPath_.c_str());
}

std::vector<std::string> Recorder::ReadLines() const {
    std::vector<std::string> lines;
    UniqueFileHandle file(CreateFileW(logPath_.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return lines;
    std::string content;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0)
        content.append(buffer, read);
    std::size_t start = 0;
    // Only complete lines: the recorder may be in the middle of writing the last one.
    for (std::size_t end; (end = content.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(content.substr(start, end - start));
    return lines;
}

Recorder::Events Recorder::ReadEvents() const {
    Events events;
    RecordedEvent event;
    for (const std::string& line : ReadLines())
        if (ParseRecordedEvent(line, event)) events.push_back(event);
    return events;
}

bool Recorder::WaitFor(const std::function<bool(const Events&)>& condition,
                       std::chrono::milliseconds timeout) const {
    return WaitUntil([&] { return condition(ReadEvents()); }, timeout);
}

}  // namespace tressel::testing
