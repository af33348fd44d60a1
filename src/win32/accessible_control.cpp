// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "control_behaviour.h"

#include "wide_text.h"
#include "win32_window.h"
#include "window_description.h"

#include <commctrl.h>
#include <oleacc.h>

#include <atomic>
#include <functional>
#include <optional>
#include <string>

namespace ostrel::win32 {
namespace {

// The relations screen readers ask for through accNavigate, beyond the directions of the
// original interface: the label that shows a control's caption, and what a label captions.
constexpr LONG labelledByRelation = 0x1003;

// Interfaces are named by __uuidof, not by oleacc's IID_ constants: MinGW's import library
// links IID_IAccessible to a stub of the DLL's export, not to the identifier itself.

// The role of a control that Windows' own object may not tell: Wine's takes every button for
// a plain window, and a static control is never a table's header or cell.
std::optional<LONG> roleOf(const layout::Control &control)
{
    switch (control.tablePart) {
    case layout::TablePart::columnHeader:
        return ROLE_SYSTEM_COLUMNHEADER;
    case layout::TablePart::rowHeader:
        return ROLE_SYSTEM_ROWHEADER;
    case layout::TablePart::cell:
        return ROLE_SYSTEM_CELL;
    case layout::TablePart::none:
        break;
    }
    switch (control.kind) {
    case layout::Kind::checkBox:
        return ROLE_SYSTEM_CHECKBUTTON;
    case layout::Kind::radioButton:
        return ROLE_SYSTEM_RADIOBUTTON;
    case layout::Kind::label:
    case layout::Kind::textBox:
    case layout::Kind::frame:
    case layout::Kind::button:
    case layout::Kind::dropDown:
        break;
    }
    return std::nullopt;
}

bool isSelf(const VARIANT &child)
{
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

// A text handed to a screen reader; an empty one is none (S_FALSE), as Windows' own
// objects answer.
HRESULT answerText(std::u16string_view text, BSTR *answer)
{
    if (!answer)
        return E_POINTER;
    *answer = nullptr;
    if (text.empty())
        return S_FALSE;
    const std::wstring wide = toWide(text);
    *answer = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    return *answer ? S_OK : E_OUTOFMEMORY;
}

// A COM object ends itself in Release and is never deleted through its interface, which
// has no virtual destructor for that reason.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
// Windows' own accessible object of a control, with the accessibility table's name and
// description. Everything else, its role, state, place, value, default action and its place
// among the window's other objects, is the standard object's, to which the calls go as they
// came.
class AccessibleControl final : public IAccessible {
public:
    // Takes over the caller's reference to `standard`.
    AccessibleControl(IAccessible *standard, HWND handle, const layout::Control &control,
                      int labelCommandId)
        : m_standard(standard)
        , m_handle(handle)
        , m_control(control)
        , m_labelCommandId(labelCommandId)
    {
    }
    AccessibleControl(const AccessibleControl &) = delete;
    AccessibleControl &operator=(const AccessibleControl &) = delete;

    STDMETHOD(QueryInterface)(REFIID iid, void **object) override
    {
        if (!object)
            return E_POINTER;
        // Enumerating the children and finding the window: the standard object's answer.
        if (iid != __uuidof(IUnknown) && iid != __uuidof(IDispatch) && iid != __uuidof(IAccessible))
            return m_standard->QueryInterface(iid, object);
        *object = static_cast<IAccessible *>(this);
        AddRef();
        return S_OK;
    }
    STDMETHOD_(ULONG, AddRef)() override { return ++m_references; }
    STDMETHOD_(ULONG, Release)() override
    {
        const ULONG left = --m_references;
        if (left == 0)
            delete this;
        return left;
    }

    STDMETHOD(GetTypeInfoCount)(UINT *n) override { return m_standard->GetTypeInfoCount(n); }
    STDMETHOD(GetTypeInfo)(UINT i, LCID l, ITypeInfo **t) override
    {
        return m_standard->GetTypeInfo(i, l, t);
    }
    STDMETHOD(GetIDsOfNames)(REFIID iid, LPOLESTR *names, UINT n, LCID l, DISPID *ids) override
    {
        return m_standard->GetIDsOfNames(iid, names, n, l, ids);
    }
    // Through the interface's type information onto this object, so that a client that asks
    // by dispatch hears the same name and description.
    STDMETHODIMP Invoke(DISPID member, REFIID, LCID locale, WORD flags, DISPPARAMS *parameters,
                        VARIANT *result, EXCEPINFO *exception, UINT *argumentError) override
    {
        ITypeInfo *info = nullptr;
        HRESULT status = m_standard->GetTypeInfo(0, locale, &info);
        if (FAILED(status) || !info)
            return FAILED(status) ? status : E_NOTIMPL;
        status = info->Invoke(static_cast<IAccessible *>(this), member, flags, parameters, result,
                              exception, argumentError);
        info->Release();
        return status;
    }

    STDMETHOD(get_accName)(VARIANT child, BSTR *name) override
    {
        if (!isSelf(child))
            return m_standard->get_accName(child, name);
        return answerText(layout::accessibleName(m_control), name);
    }
    STDMETHOD(get_accDescription)(VARIANT child, BSTR *description) override
    {
        if (!isSelf(child))
            return m_standard->get_accDescription(child, description);
        if (layout::isDescribedByItsCaption(m_control))
            return answerText(windowText(m_handle), description);
        return answerText(
            layout::accessibleDescription(m_control, IsWindowEnabled(m_handle) == FALSE),
            description);
    }
    STDMETHOD(get_accRole)(VARIANT child, VARIANT *role) override
    {
        const auto own = roleOf(m_control);
        if (!isSelf(child) || !own)
            return m_standard->get_accRole(child, role);
        if (!role)
            return E_POINTER;
        VariantInit(role);
        role->vt = VT_I4;
        role->lVal = *own;
        return S_OK;
    }
    // A check box or radio button tells whether it is checked, as it shows.
    STDMETHOD(get_accState)(VARIANT child, VARIANT *state) override
    {
        const HRESULT status = m_standard->get_accState(child, state);
        const bool checkable =
            m_control.kind == layout::Kind::checkBox || m_control.kind == layout::Kind::radioButton;
        if (FAILED(status) || !isSelf(child) || !checkable || state->vt != VT_I4)
            return status;
        const bool checked = SendMessageW(m_handle, BM_GETCHECK, 0, 0) == BST_CHECKED;
        state->lVal = checked ? (state->lVal | STATE_SYSTEM_CHECKED)
                              : (state->lVal & ~LONG{STATE_SYSTEM_CHECKED});
        return status;
    }
    STDMETHOD(accNavigate)(LONG direction, VARIANT start, VARIANT *end) override
    {
        if (direction != labelledByRelation || !isSelf(start))
            return m_standard->accNavigate(direction, start, end);
        if (!end)
            return E_POINTER;
        VariantInit(end);
        HWND labelHandle =
            m_labelCommandId ? GetDlgItem(GetParent(m_handle), m_labelCommandId) : nullptr;
        if (!labelHandle)
            return S_FALSE;
        IDispatch *object = nullptr;
        const HRESULT found =
            AccessibleObjectFromWindow(labelHandle, static_cast<DWORD>(OBJID_CLIENT),
                                       __uuidof(IDispatch), reinterpret_cast<void **>(&object));
        if (FAILED(found) || !object)
            return S_FALSE;
        end->vt = VT_DISPATCH;
        end->pdispVal = object;
        return S_OK;
    }

    STDMETHOD(get_accParent)(IDispatch **p) override { return m_standard->get_accParent(p); }
    STDMETHOD(get_accChildCount)(LONG *n) override { return m_standard->get_accChildCount(n); }
    STDMETHOD(get_accChild)(VARIANT c, IDispatch **p) override
    {
        return m_standard->get_accChild(c, p);
    }
    STDMETHOD(get_accValue)(VARIANT c, BSTR *s) override { return m_standard->get_accValue(c, s); }
    STDMETHOD(get_accHelp)(VARIANT c, BSTR *s) override { return m_standard->get_accHelp(c, s); }
    STDMETHOD(get_accHelpTopic)(BSTR *s, VARIANT c, LONG *n) override
    {
        return m_standard->get_accHelpTopic(s, c, n);
    }
    STDMETHOD(get_accKeyboardShortcut)(VARIANT c, BSTR *s) override
    {
        return m_standard->get_accKeyboardShortcut(c, s);
    }
    STDMETHOD(get_accFocus)(VARIANT *c) override { return m_standard->get_accFocus(c); }
    STDMETHOD(get_accSelection)(VARIANT *c) override { return m_standard->get_accSelection(c); }
    STDMETHOD(get_accDefaultAction)(VARIANT c, BSTR *s) override
    {
        return m_standard->get_accDefaultAction(c, s);
    }
    STDMETHOD(accSelect)(LONG flags, VARIANT c) override { return m_standard->accSelect(flags, c); }
    STDMETHOD(accLocation)(LONG *x, LONG *y, LONG *width, LONG *height, VARIANT c) override
    {
        return m_standard->accLocation(x, y, width, height, c);
    }
    STDMETHOD(accHitTest)(LONG x, LONG y, VARIANT *c) override
    {
        return m_standard->accHitTest(x, y, c);
    }
    STDMETHOD(accDoDefaultAction)(VARIANT c) override { return m_standard->accDoDefaultAction(c); }
    STDMETHOD(put_accName)(VARIANT c, BSTR s) override { return m_standard->put_accName(c, s); }
    STDMETHOD(put_accValue)(VARIANT c, BSTR s) override { return m_standard->put_accValue(c, s); }

private:
    // Only Release ends it.
    ~AccessibleControl() { m_standard->Release(); }

    IAccessible *m_standard;
    HWND m_handle;
    // What it tells beyond Windows' own object: its row of the window description, and the
    // command id of the label that shows its caption (0: none).
    const layout::Control &m_control;
    int m_labelCommandId;
    std::atomic<ULONG> m_references = 1;
};
#pragma GCC diagnostic pop

// The control's answer to WM_GETOBJECT for its client area: its own accessible object, or the
// control's default answer when Windows cannot make its standard one, better than nothing.
LRESULT accessibleProcedure(const layout::Control &control, int labelCommandId, HWND handle,
                            UINT message, WPARAM wParam, LPARAM lParam)
{
    IAccessible *standard = nullptr;
    // The object asked for comes as a 32-bit number, whatever the width of lParam.
    if (message != WM_GETOBJECT || static_cast<LONG>(static_cast<DWORD>(lParam)) != OBJID_CLIENT ||
        FAILED(CreateStdAccessibleObject(handle, OBJID_CLIENT, __uuidof(IAccessible),
                                         reinterpret_cast<void **>(&standard))) ||
        !standard)
        return DefSubclassProc(handle, message, wParam, lParam);
    IAccessible *named = new AccessibleControl(standard, handle, control, labelCommandId);
    const LRESULT answer = LresultFromObject(__uuidof(IAccessible), wParam, named);
    named->Release();
    return answer;
}

} // namespace

ComApartment::ComApartment()
    : m_joined(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
{
}

ComApartment::~ComApartment()
{
    if (m_joined)
        CoUninitialize();
}

void answerScreenReaders(HWND handle, const layout::Control &control, int labelCommandId)
{
    subclass(handle, std::bind_front(accessibleProcedure, std::cref(control), labelCommandId));
}

} // namespace ostrel::win32
