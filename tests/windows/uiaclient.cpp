// A small UI Automation client, as a Windows screen reader is one. It finds
// the window titled "Calcolo del Tarvelo" and prints each element under it as
// "element TYPE|NAME|AUTOMATION-ID"; subscribed to the text changes in the
// window and to the focus, it prints "ready", then each event as it comes,
// as "text-changed ..." and "focus ..." with the element, until the window
// is gone.
#include <initguid.h>

#include <windows.h>
#include <uiautomation.h>

#include <cstdio>
#include <initializer_list>

namespace {

// Each element on a line of its own, written whole (events come on a thread
// of UI Automation's).
HRESULT print(const char* what, IUIAutomationElement* element)
{
    char line[4096];
    int length = std::snprintf(line, sizeof line, "%s", what);
    for (PROPERTYID id : {UIA_ControlTypePropertyId, UIA_NamePropertyId, UIA_AutomationIdPropertyId}) {
        VARIANT value{};
        char text[1024] = "";
        if (SUCCEEDED(element->GetCurrentPropertyValueEx(id, TRUE, &value)) && value.vt == VT_BSTR)
            WideCharToMultiByte(CP_UTF8, 0, value.bstrVal, -1, text, sizeof text, nullptr, nullptr);
        else if (value.vt == VT_I4)
            std::snprintf(text, sizeof text, "%ld", value.lVal);
        length += std::snprintf(line + length, sizeof line - length,
                                id == UIA_ControlTypePropertyId ? " %s" : "|%s", text);
        VariantClear(&value);
    }
    std::puts(line);
    return S_OK;
}

// Lives as long as the program: counting references would change nothing.
struct Listener : IUIAutomationEventHandler, IUIAutomationFocusChangedEventHandler {
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        void* handler = static_cast<IUIAutomationEventHandler*>(this);
        *object = iid == IID_IUIAutomationFocusChangedEventHandler
                      ? static_cast<IUIAutomationFocusChangedEventHandler*>(this)
                      : (iid == IID_IUnknown || iid == IID_IUIAutomationEventHandler ? handler : nullptr);
        return *object ? S_OK : E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE HandleAutomationEvent(IUIAutomationElement* element, EVENTID) override
    {
        return print("text-changed", element);
    }
    HRESULT STDMETHODCALLTYPE HandleFocusChangedEvent(IUIAutomationElement* element) override
    {
        return print("focus", element);
    }
};

} // namespace

int main()
{
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    std::setvbuf(stdout, nullptr, _IONBF, 0); // each line as soon as it is written
    HWND window = nullptr;
    for (int tries = 0; tries < 600 && !(window = FindWindowW(nullptr, L"Calcolo del Tarvelo")); ++tries)
        Sleep(100);
    IUIAutomation* automation = nullptr;
    IUIAutomationElement *root = nullptr, *element = nullptr;
    IUIAutomationCondition* everything = nullptr;
    IUIAutomationElementArray* elements = nullptr;
    Listener listener;
    if (!window
        || FAILED(CoCreateInstance(CLSID_CUIAutomation8, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IUIAutomation, reinterpret_cast<void**>(&automation)))
        || FAILED(automation->ElementFromHandle(window, &root))
        || FAILED(automation->CreateTrueCondition(&everything))
        || FAILED(root->FindAll(TreeScope_Descendants, everything, &elements))
        || FAILED(automation->AddAutomationEventHandler(UIA_Text_TextChangedEventId, root,
                                                        TreeScope_Subtree, nullptr, &listener))
        || FAILED(automation->AddFocusChangedEventHandler(nullptr, &listener)))
        return 1;
    for (int i = 0; SUCCEEDED(elements->GetElement(i, &element)); ++i)
        print("element", element);
    std::puts("ready");
    while (IsWindow(window))
        Sleep(100);
}
