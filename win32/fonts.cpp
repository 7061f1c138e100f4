// SPDX-License-Identifier: GPL-3.0-or-later
#include "win32/fonts.h"

#include "win32/dpi.h"
#include "win32/system_error.h"
#include "win32/utf16.h"

namespace win32 {
namespace {

int CALLBACK StopAtFirst(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

// Whether Windows has `face` with Cyrillic letters; Windows itself would quietly
// choose another face for one it lacks.
bool HasCyrillicFace(const std::wstring& face) {
    LOGFONTW wanted{};
    wanted.lfCharSet = RUSSIAN_CHARSET;
    if (face.size() >= LF_FACESIZE)
        return false;
    face.copy(wanted.lfFaceName, face.size());
    const HDC screen = GetDC(nullptr);
    if (!screen)
        throw LastError("GetDC");
    bool found = false;
    EnumFontFamiliesExW(screen, &wanted, StopAtFirst, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
}

} // namespace

Font CreateLayoutFont(const layout::Font& font, UINT dpi) {
    const std::wstring face = Widen(font.face);
    const std::wstring chosen = HasCyrillicFace(face) ? face : Widen(font.fallback);
    // A negative height asks for the character height, as points measure it.
    Font created(CreateFontW(-PointsAt(font.points, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                             RUSSIAN_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             VARIABLE_PITCH | FF_ROMAN, chosen.c_str()));
    if (!created)
        throw LastError("CreateFontW");
    return created;
}

} // namespace win32
