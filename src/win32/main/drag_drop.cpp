#include "win32/main/drag_drop.h"

#include <shellapi.h>

#include <cstring>
#include <cwchar>
#include <new>
#include <utility>

namespace vornix::ui {

namespace {

FORMATETC formatOf(CLIPFORMAT format) { return FORMATETC{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

// The formats a dragged-out text is offered in, the richest first.
const CLIPFORMAT kTextFormats[] = {CF_UNICODETEXT, CF_TEXT};
constexpr ULONG kTextFormatCount = 2;

Text fromCodePage(const char* bytes, size_t size) {
  if (size == 0) return Text();
  const int length = MultiByteToWideChar(CP_ACP, 0, bytes, static_cast<int>(size), nullptr, 0);
  std::wstring text(length > 0 ? length : 0, L'\0');
  if (length > 0) MultiByteToWideChar(CP_ACP, 0, bytes, static_cast<int>(size), &text[0], length);
  return fromWide(text.data(), text.size());
}

std::string toCodePage(const Text& text) {
  if (text.empty()) return std::string();
  const wchar_t* units = reinterpret_cast<const wchar_t*>(text.data());
  const int count = static_cast<int>(text.size());
  const int size = WideCharToMultiByte(CP_ACP, 0, units, count, nullptr, 0, nullptr, nullptr);
  std::string bytes(size > 0 ? size : 0, '\0');
  if (size > 0) WideCharToMultiByte(CP_ACP, 0, units, count, &bytes[0], size, nullptr, nullptr);
  return bytes;
}

// A movable block with `size` bytes and a terminating zero of `zeros` bytes, or null.
HGLOBAL globalCopy(const void* data, size_t size, size_t zeros) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size + zeros);
  if (!block) return nullptr;
  char* memory = static_cast<char*>(GlobalLock(block));
  if (!memory) {
    GlobalFree(block);
    return nullptr;
  }
  if (size) memcpy(memory, data, size);
  memset(memory + size, 0, zeros);
  GlobalUnlock(block);
  return block;
}

bool readFiles(IDataObject* data, std::vector<Text>& files) {
  FORMATETC format = formatOf(CF_HDROP);
  STGMEDIUM medium = {};
  if (FAILED(data->GetData(&format, &medium))) return false;
  bool ok = false;
  if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal) {
    HDROP drop = static_cast<HDROP>(medium.hGlobal);
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
      const UINT length = DragQueryFileW(drop, i, nullptr, 0);
      std::wstring path(length + 1, L'\0');
      const UINT copied = DragQueryFileW(drop, i, &path[0], length + 1);
      files.push_back(fromWide(path.c_str(), copied));
    }
    ok = true;
  }
  ReleaseStgMedium(&medium);
  return ok;
}

// The text of a data object: UTF-16 where the source offers it, else its 8-bit text
// converted as a whole from the system's code page (double-byte code pages included).
// The text ends at its terminator or, when a source forgot it, at the block's end.
bool readText(IDataObject* data, Text& text) {
  for (CLIPFORMAT type : {static_cast<CLIPFORMAT>(CF_UNICODETEXT), static_cast<CLIPFORMAT>(CF_TEXT)}) {
    FORMATETC format = formatOf(type);
    STGMEDIUM medium = {};
    if (FAILED(data->GetData(&format, &medium))) continue;
    bool ok = false;
    if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal) {
      if (const void* block = GlobalLock(medium.hGlobal)) {
        const SIZE_T size = GlobalSize(medium.hGlobal);
        if (type == CF_UNICODETEXT) {
          const wchar_t* units = static_cast<const wchar_t*>(block);
          text = fromWide(units, wcsnlen(units, size / sizeof(wchar_t)));
        } else {
          const char* bytes = static_cast<const char*>(block);
          const void* end = memchr(bytes, 0, size);
          text = fromCodePage(bytes, end ? static_cast<const char*>(end) - bytes : size);
        }
        GlobalUnlock(medium.hGlobal);
        ok = true;
      }
    }
    ReleaseStgMedium(&medium);
    if (ok) return true;
  }
  return false;
}

bool offers(IDataObject* data, CLIPFORMAT format) {
  FORMATETC f = formatOf(format);
  return data && data->QueryGetData(&f) == S_OK;
}

// The reference counting shared by the small COM objects below. Interface ids
// come from the headers' own declarations (__uuidof), not from the uuid library,
// whose objects bring thousands of ids into the exe for the few used here.
template <class Interface>
class ComObject : public Interface {
 public:
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, __uuidof(IUnknown)) || IsEqualIID(iid, __uuidof(Interface))) {
      *out = static_cast<Interface*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }

 protected:
  virtual ~ComObject() = default;

 private:
  LONG refs_ = 1;
};

class DropTarget final : public ComObject<IDropTarget> {
 public:
  DropTarget(DropAllowed allowed, DropHandler handler) : allowed_(std::move(allowed)), handler_(std::move(handler)) {}

  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
    try {
      accept_ = allowed_() && (offers(data, CF_HDROP) || offers(data, CF_UNICODETEXT) || offers(data, CF_TEXT));
    } catch (...) {
      accept_ = false;
    }
    return answer(effect);
  }
  HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override { return answer(effect); }
  HRESULT STDMETHODCALLTYPE DragLeave() override {
    accept_ = false;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
    const HRESULT result = answer(effect);
    if (!accept_ || !data) return result;
    accept_ = false;
    try {
      Dropped dropped;
      dropped.isFiles = readFiles(data, dropped.files);
      if (dropped.isFiles || readText(data, dropped.text)) handler_(std::move(dropped));
    } catch (...) {
      if (effect) *effect = DROPEFFECT_NONE;
    }
    return result;
  }

 private:
  // Copy only: a move would let the source delete what it gave us.
  HRESULT answer(DWORD* effect) const {
    if (!effect) return E_INVALIDARG;
    *effect = accept_ && (*effect & DROPEFFECT_COPY) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
    return S_OK;
  }

  DropAllowed allowed_;
  DropHandler handler_;
  bool accept_ = false;
};

class DropSource final : public ComObject<IDropSource> {
 public:
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override {
    if (escape) return DRAGDROP_S_CANCEL;
    if (!(keys & MK_LBUTTON)) return DRAGDROP_S_DROP;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

class FormatEnumerator final : public ComObject<IEnumFORMATETC> {
 public:
  explicit FormatEnumerator(ULONG position = 0) : position_(position) {}

  HRESULT STDMETHODCALLTYPE Next(ULONG count, FORMATETC* out, ULONG* fetched) override {
    if (!out || (count != 1 && !fetched)) return E_POINTER;
    ULONG given = 0;
    while (given < count && position_ < kTextFormatCount) out[given++] = formatOf(kTextFormats[position_++]);
    if (fetched) *fetched = given;
    return given == count ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
    const bool inRange = count <= kTextFormatCount - position_;
    position_ = inRange ? position_ + count : kTextFormatCount;
    return inRange ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Reset() override {
    position_ = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(IEnumFORMATETC** out) override {
    if (!out) return E_POINTER;
    *out = new (std::nothrow) FormatEnumerator(position_);
    return *out ? S_OK : E_OUTOFMEMORY;
  }

 private:
  ULONG position_;
};

class TextDataObject final : public ComObject<IDataObject> {
 public:
  explicit TextDataObject(std::function<Text()> source) : source_(std::move(source)) {}

  // After the drag the program's state may be gone; later requests get what was given, or nothing.
  void detach() { source_ = nullptr; }

  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
    if (!format || !medium) return E_INVALIDARG;
    if (QueryGetData(format) != S_OK) return DV_E_FORMATETC;
    HGLOBAL block = nullptr;
    try {
      if (!resolved_ && source_) text_ = source_();
      resolved_ = true;
      if (format->cfFormat == CF_UNICODETEXT) {
        block = globalCopy(text_.data(), text_.size() * sizeof(char16_t), sizeof(char16_t));
      } else {
        const std::string bytes = toCodePage(text_);
        block = globalCopy(bytes.data(), bytes.size(), 1);
      }
    } catch (...) {
      return E_UNEXPECTED;
    }
    if (!block) return E_OUTOFMEMORY;
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = block;
    medium->pUnkForRelease = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
    if (!format) return E_INVALIDARG;
    const bool text = format->cfFormat == CF_UNICODETEXT || format->cfFormat == CF_TEXT;
    if (!text || format->dwAspect != DVASPECT_CONTENT) return DV_E_FORMATETC;
    return (format->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_TYMED;
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    if (out) out->ptd = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (direction != DATADIR_GET) return E_NOTIMPL;
    *out = new (std::nothrow) FormatEnumerator();
    return *out ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

 private:
  std::function<Text()> source_;
  Text text_;
  bool resolved_ = false;
};

}  // namespace

bool registerDropTarget(HWND control, DropAllowed allowed, DropHandler handler) {
  DropTarget* target = new (std::nothrow) DropTarget(std::move(allowed), std::move(handler));
  if (!target) return false;
  // RegisterDragDrop keeps its own reference until RevokeDragDrop.
  const HRESULT result = RegisterDragDrop(control, target);
  target->Release();
  return SUCCEEDED(result);
}

void revokeDropTarget(HWND control) { RevokeDragDrop(control); }

void dragTextOut(std::function<Text()> text) {
  TextDataObject* data = new (std::nothrow) TextDataObject(std::move(text));
  DropSource* source = new (std::nothrow) DropSource();
  if (data && source) {
    DWORD effect = DROPEFFECT_NONE;
    DoDragDrop(data, source, DROPEFFECT_COPY, &effect);
    data->detach();
  }
  if (data) data->Release();
  if (source) source->Release();
}

}  // namespace vornix::ui
