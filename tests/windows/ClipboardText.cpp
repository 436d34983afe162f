// Prints the Windows clipboard's text (CF_UNICODETEXT) as UTF-8, byte for byte, so that the
// end-to-end run under Wine sees what a Windows program pasting it would get: Wine hands
// the text to X programs with its CR LF turned into LF.
//
//   clipboard-text.exe      exit 1 when the clipboard holds no text

#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <string>
#include <windows.h>

int main() {
    if (!::OpenClipboard(nullptr)) {
        return 2;
    }
    int status = 1;
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* text = static_cast<const wchar_t*>(::GlobalLock(data))) {
            const int length =
                ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
            std::string utf8(length > 0 ? std::size_t(length) : 0, '\0');
            ::WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), length, nullptr, nullptr);
            if (!utf8.empty()) {
                utf8.pop_back(); // the closing zero
            }
            ::_setmode(::_fileno(stdout), _O_BINARY);
            std::fwrite(utf8.data(), 1, utf8.size(), stdout);
            ::GlobalUnlock(data);
            status = 0;
        }
    }
    ::CloseClipboard();
    return status;
}
