// SPDX-License-Identifier: GPL-3.0-or-later
#include "win32/accessible_control.h"

#include "layout/spoken.h"
#include "layout/texts.h"
#include "win32/system_error.h"
#include "win32/utf16.h"
#include "win32/window_text.h"

#include <oleacc.h>

#include <stdexcept>
#include <system_error>
#include <unordered_map>

namespace win32 {
namespace {

// Interfaces are named by __uuidof throughout: oleacc.dll exports IID_IAccessible
// as data, which a mingw-w64 import library links as a function's entry instead.

bool IsSelf(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

HRESULT ToBstr(const std::wstring& text, BSTR* out) {
    *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

// A COM method's answer: an exception becomes an error code, since none may
// cross into the screen reader.
template <typename Body> auto Answer(Body&& body) noexcept -> decltype(body()) {
    using Result = decltype(body());
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return static_cast<Result>(E_OUTOFMEMORY);
    } catch (...) {
        return static_cast<Result>(E_FAIL);
    }
}

// The control's standard accessible object answers everything the layout does
// not say otherwise.
class SpokenAccessible final : public IAccessible, public IOleWindow {
public:
    SpokenAccessible(HWND control, IAccessible* standard, const Spoken& spoken)
        : control_(control), standard_(standard), spoken_(spoken) {}
    ~SpokenAccessible() { standard_->Release(); }
    SpokenAccessible(const SpokenAccessible&) = delete;
    SpokenAccessible& operator=(const SpokenAccessible&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object)
            return E_POINTER;
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible))
            *object = static_cast<IAccessible*>(this);
        else if (iid == __uuidof(IOleWindow))
            *object = static_cast<IOleWindow*>(this);
        else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }

    // IOleWindow: the window a screen reader finds the object in.
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
        if (!window)
            return E_POINTER;
        *window = control_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        return standard_->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
        return standard_->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override {
        return standard_->GetIDsOfNames(iid, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                     DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                     UINT* wrong) override {
        return standard_->Invoke(id, iid, locale, flags, parameters, result, exception, wrong);
    }

    // IAccessible: what the layout says of the control itself.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!IsSelf(child) || (!IsBox() && spoken_.name.empty()))
            return standard_->get_accName(child, name);
        if (!name)
            return E_POINTER;
        return Answer([&] {
            if (!IsBox())
                return ToBstr(spoken_.name, name);
            const std::string caption = Narrow(TextOf(control_));
            return ToBstr(Widen(layout::DigitBoxSpokenName(spoken_.box, caption)), name);
        });
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        if (!IsSelf(child) || spoken_.description.empty())
            return standard_->get_accDescription(child, description);
        if (!description)
            return E_POINTER;
        return Answer([&] { return ToBstr(spoken_.description, description); });
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!IsSelf(child) || !IsBox())
            return standard_->get_accRole(child, role);
        if (!role)
            return E_POINTER;
        role->vt = VT_I4;
        role->lVal = ROLE_SYSTEM_PUSHBUTTON;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        const HRESULT result = standard_->get_accState(child, state);
        // A box is clicked, never focused.
        if (SUCCEEDED(result) && IsSelf(child) && IsBox() && state->vt == VT_I4)
            state->lVal &= ~STATE_SYSTEM_FOCUSABLE;
        return result;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        if (!IsSelf(child) || !IsBox())
            return standard_->get_accDefaultAction(child, action);
        if (!action)
            return E_POINTER;
        return Answer([&] { return ToBstr(Widen(texts::kDigitBoxPressSpoken), action); });
    }
    // Pressed as a click is: the window runs it from its message loop once
    // the screen reader's call has returned.
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        if (!IsSelf(child) || !IsBox())
            return standard_->accDoDefaultAction(child);
        const BOOL posted = PostMessageW(GetParent(control_), WM_COMMAND,
                                         MAKEWPARAM(GetDlgCtrlID(control_), BN_CLICKED),
                                         reinterpret_cast<LPARAM>(control_));
        return posted ? S_OK : HRESULT_FROM_WIN32(GetLastError());
    }

    // IAccessible: the rest as the standard object has it.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return standard_->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        return standard_->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return standard_->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return standard_->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return standard_->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        return standard_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return standard_->get_accKeyboardShortcut(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
        return standard_->get_accFocus(child);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return standard_->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long how, VARIANT child) override {
        return standard_->accSelect(how, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override {
        return standard_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        return standard_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long left, long top, VARIANT* child) override {
        return standard_->accHitTest(left, top, child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return standard_->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return standard_->put_accValue(child, value);
    }

private:
    bool IsBox() const { return spoken_.box >= 0; }

    HWND control_;
    IAccessible* standard_;
    const Spoken spoken_;
    LONG references_ = 1;
};

LRESULT AccessibleObject(HWND control, WPARAM flags, const Spoken& spoken) {
    IAccessible* standard = nullptr;
    const HRESULT created = CreateStdAccessibleObject(control, OBJID_CLIENT, __uuidof(IAccessible),
                                                      reinterpret_cast<void**>(&standard));
    if (FAILED(created))
        return static_cast<LRESULT>(created);
    auto* object = new SpokenAccessible(control, standard, spoken);
    const LRESULT result =
        LresultFromObject(__uuidof(IAccessible), flags, static_cast<IAccessible*>(object));
    object->Release();
    return result;
}

struct SpokenControl {
    WNDPROC own; // the control's own window procedure
    Spoken spoken;
};

// The controls made spoken, all on the window's one thread. Common controls'
// SetWindowSubclass would keep this in a window property and read it back on
// every message the control gets, which Wine asks its server for each time: some
// 450 calls before the first frame.
std::unordered_map<HWND, SpokenControl>& SpokenControls() {
    static std::unordered_map<HWND, SpokenControl> controls;
    return controls;
}

LRESULT CALLBACK SpokenProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    auto& controls = SpokenControls();
    const auto found = controls.find(control);
    if (found == controls.end())
        return DefWindowProcW(control, message, wParam, lParam);
    const WNDPROC own = found->second.own;
    switch (message) {
    case WM_GETOBJECT:
        // The object id comes as a 32-bit value, sign-extended or not.
        if (static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT))
            return Answer([&] { return AccessibleObject(control, wParam, found->second.spoken); });
        break;
    case WM_NCDESTROY:
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(own));
        controls.erase(found);
        break;
    }
    return CallWindowProcW(own, control, message, wParam, lParam);
}

} // namespace

void MakeSpoken(HWND control, const Spoken& spoken) {
    auto& controls = SpokenControls();
    const auto [entry, added] = controls.try_emplace(control, SpokenControl{nullptr, spoken});
    if (!added)
        throw std::logic_error("a control made spoken twice");
    const auto own = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SpokenProcedure)));
    if (!own) {
        controls.erase(entry);
        throw LastError("SetWindowLongPtrW");
    }
    entry->second.own = own;
}

ComApartment::ComApartment() {
    const HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (FAILED(result))
        throw std::system_error(result, std::system_category(), "CoInitializeEx");
}

ComApartment::~ComApartment() {
    CoUninitialize();
}

} // namespace win32
