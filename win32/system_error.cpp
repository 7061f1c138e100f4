// SPDX-License-Identifier: GPL-3.0-or-later
#include "win32/system_error.h"

#include <windows.h>

#include <string>

namespace win32 {
namespace {

// FormatMessageW in the user's language, without the line break it ends with.
std::wstring SystemMessage(DWORD code) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message = length ? std::wstring(text, length) : L"0x" + std::to_wstring(code);
    LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r'))
        message.pop_back();
    return message;
}

std::wstring Ascii(const char* text) {
    std::wstring wide;
    for (; *text; ++text)
        wide += static_cast<wchar_t>(static_cast<unsigned char>(*text));
    return wide;
}

} // namespace

std::system_error LastError(const char* call) {
    return std::system_error(static_cast<int>(GetLastError()), std::system_category(), call);
}

std::wstring DescribeException(const std::exception& error) {
    if (const auto* system = dynamic_cast<const std::system_error*>(&error);
        system && system->code().category() == std::system_category()) {
        // what() is "call: message"; the call is ours, ASCII, the message Windows'.
        const std::string what = system->what();
        const std::string call = what.substr(0, what.find(':'));
        return Ascii(call.c_str()) + L": " +
               SystemMessage(static_cast<DWORD>(system->code().value()));
    }
    return Ascii(error.what());
}

} // namespace win32
