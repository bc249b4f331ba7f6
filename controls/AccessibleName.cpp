#include "controls/AccessibleName.h"

#include <commctrl.h>

#include <atomic>
#include <memory>
#include <utility>
#include <vector>

namespace tressel {
namespace {

constexpr UINT_PTR kSubclassId = 0xACC5;

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// A Dispatch argument left out: "VT_ERROR with DISP_E_PARAMNOTFOUND" in its place.
// https://learn.microsoft.com/windows/win32/api/oaidl/nf-oaidl-idispatch-invoke
bool IsMissing(const VARIANT& argument) {
    return argument.vt == VT_ERROR && argument.scode == DISP_E_PARAMNOTFOUND;
}

std::wstring WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(window, buffer.data(), length + 1);
    return buffer.data();
}

// The system's object with the name taken from the rule, asked anew at every request, so that
// a client holding the object hears the caption the button shows now. Both interfaces share
// one reference count; the object deletes itself with the last reference. Interface ids come
// from __uuidof: oleacc's import library names IID_IAccessible as well (a data import), which
// clashes with the uuid library's definition at link time.
class NamedAccessible final : public IAccessible, public IOleWindow {
  public:
    NamedAccessible(HWND control, UniqueComPtr<IAccessible> system, AccessibleNameRule rule)
        : control_(control), system_(std::move(system)), rule_(std::move(rule)) {}

    // IUnknown.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) ||
            iid == __uuidof(IAccessible)) {
            *object = static_cast<IAccessible*>(this);
        } else if (iid == __uuidof(IOleWindow)) {
            *object = static_cast<IOleWindow*>(this);
        } else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) {
            std::unique_ptr<NamedAccessible> adopted(this);  // made by CreateNamedAccessible
        }
        return left;
    }

    // IDispatch: a late-bound client asking for the name hears the same name.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        return system_.get()->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
        return system_.get()->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override {
        return system_.get()->GetIDsOfNames(iid, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID iid, LCID locale, WORD flags,
                                     DISPPARAMS* arguments, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argumentError) override {
        if (rule_ && member == DISPID_ACC_NAME && (flags & DISPATCH_PROPERTYGET) && result &&
            arguments && arguments->cArgs <= 1 &&
            (arguments->cArgs == 0 || IsSelf(arguments->rgvarg[0]) ||
             IsMissing(arguments->rgvarg[0]))) {
            VARIANT self{};
            self.vt = VT_I4;
            self.lVal = CHILDID_SELF;
            BSTR name = nullptr;
            const HRESULT named = get_accName(self, &name);
            if (SUCCEEDED(named)) {
                VariantInit(result);
                result->vt = VT_BSTR;
                result->bstrVal = name;
            }
            return named;
        }
        return system_.get()->Invoke(member, iid, locale, flags, arguments, result, exception,
                                     argumentError);
    }

    // IAccessible: the name from the rule, everything else from the system's object.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!rule_ || !IsSelf(child)) return system_.get()->get_accName(child, name);
        if (!name) return E_POINTER;
        *name = SysAllocString(rule_(WindowText(control_)).c_str());
        return *name ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return system_.get()->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        return system_.get()->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return system_.get()->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return system_.get()->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        return system_.get()->get_accDescription(child, description);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        return system_.get()->get_accRole(child, role);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return system_.get()->get_accState(child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return system_.get()->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
        return system_.get()->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return system_.get()->get_accKeyboardShortcut(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
        return system_.get()->get_accFocus(child);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return system_.get()->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return system_.get()->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG how, VARIANT child) override {
        return system_.get()->accSelect(how, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override {
        return system_.get()->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        return system_.get()->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
        return system_.get()->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return system_.get()->accDoDefaultAction(child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return system_.get()->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return system_.get()->put_accValue(child, value);
    }

    // IOleWindow: the window behind the object (WindowFromAccessibleObject asks this).
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
        if (!window) return E_POINTER;
        *window = control_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  private:
    HWND control_;
    UniqueComPtr<IAccessible> system_;
    AccessibleNameRule rule_;
    std::atomic<ULONG> references_{1};
};

}  // namespace

UniqueComPtr<IAccessible> CreateNamedAccessible(HWND control, AccessibleNameRule rule) {
    // "Server applications call this function when they contain a custom UI object that is
    // similar to a system-provided object."
    // https://learn.microsoft.com/windows/win32/api/oleacc/nf-oleacc-createstdaccessibleobject
    UniqueComPtr<IAccessible> system;
    if (FAILED(CreateStdAccessibleObject(control, OBJID_CLIENT, __uuidof(IAccessible),
                                         reinterpret_cast<void**>(system.put()))) ||
        !system)
        return {};
    auto named = std::make_unique<NamedAccessible>(control, std::move(system), std::move(rule));
    return UniqueComPtr<IAccessible>(named.release());  // its first reference
}

AccessibleName::~AccessibleName() {
    if (control_) RemoveWindowSubclass(control_, &AccessibleName::SubclassProc, kSubclassId);
}

bool AccessibleName::Attach(HWND control, AccessibleNameRule rule) {
    if (!control || control_) return false;
    rule_ = std::move(rule);
    if (!SetWindowSubclass(control, &AccessibleName::SubclassProc, kSubclassId,
                           reinterpret_cast<DWORD_PTR>(this)))
        return false;
    control_ = control;
    return true;
}

LRESULT CALLBACK AccessibleName::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                              UINT_PTR, DWORD_PTR self) {
    auto* name = reinterpret_cast<AccessibleName*>(self);
    if (message == WM_GETOBJECT) {
        if (const LRESULT answer = name->AnswerGetObject(wParam, lParam); answer > 0) return answer;
    } else if (message == WM_NCDESTROY) {
        const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
        RemoveWindowSubclass(hwnd, &AccessibleName::SubclassProc, kSubclassId);
        name->control_ = nullptr;
        return result;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

LRESULT AccessibleName::AnswerGetObject(WPARAM wParam, LPARAM lParam) {
    // "Before comparing this value against the OBJID_ values, the server must cast it to
    // DWORD" (https://learn.microsoft.com/windows/win32/winauto/wm-getobject). Other requests
    // (UI Automation's, the window's frame) go on to the control's own procedure.
    if (static_cast<DWORD>(lParam) != static_cast<DWORD>(OBJID_CLIENT)) return 0;
    UniqueComPtr<IAccessible> object = CreateNamedAccessible(control_, rule_);
    if (!object) return 0;
    // LresultFromObject takes references of its own for the client; ours goes with `object`.
    // https://learn.microsoft.com/windows/win32/api/oleacc/nf-oleacc-lresultfromobject
    return LresultFromObject(__uuidof(IAccessible), wParam, object.get());
}

}  // namespace tressel
