#include "win32/drag_drop.h"

#include <shellapi.h>

#include <cstring>
#include <new>
#include <utility>

namespace vornix::ui {

namespace {

FORMATETC formatOf(CLIPFORMAT format) { return FORMATETC{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

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

bool readText(IDataObject* data, std::string& text) {
  FORMATETC format = formatOf(CF_TEXT);
  STGMEDIUM medium = {};
  if (FAILED(data->GetData(&format, &medium))) return false;
  bool ok = false;
  if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal) {
    if (const char* bytes = static_cast<const char*>(GlobalLock(medium.hGlobal))) {
      // The text ends at its terminator or, when a source forgot it, at the block's end.
      const SIZE_T size = GlobalSize(medium.hGlobal);
      const void* end = memchr(bytes, 0, size);
      text.assign(bytes, end ? static_cast<const char*>(end) - bytes : size);
      GlobalUnlock(medium.hGlobal);
      ok = true;
    }
  }
  ReleaseStgMedium(&medium);
  return ok;
}

bool offers(IDataObject* data, CLIPFORMAT format) {
  FORMATETC f = formatOf(format);
  return data && data->QueryGetData(&f) == S_OK;
}

// The reference counting shared by the small COM objects below.
template <class Interface, const IID& kInterfaceId>
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
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, kInterfaceId)) {
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

class DropTarget final : public ComObject<IDropTarget, IID_IDropTarget> {
 public:
  DropTarget(DropAllowed allowed, DropHandler handler) : allowed_(std::move(allowed)), handler_(std::move(handler)) {}

  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
    try {
      accept_ = allowed_() && (offers(data, CF_HDROP) || offers(data, CF_TEXT));
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

class DropSource final : public ComObject<IDropSource, IID_IDropSource> {
 public:
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override {
    if (escape) return DRAGDROP_S_CANCEL;
    if (!(keys & MK_LBUTTON)) return DRAGDROP_S_DROP;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

class FormatEnumerator final : public ComObject<IEnumFORMATETC, IID_IEnumFORMATETC> {
 public:
  explicit FormatEnumerator(const FORMATETC& format, ULONG position = 0) : format_(format), position_(position) {}

  HRESULT STDMETHODCALLTYPE Next(ULONG count, FORMATETC* out, ULONG* fetched) override {
    if (!out || (count != 1 && !fetched)) return E_POINTER;
    ULONG given = 0;
    if (count > 0 && position_ == 0) {
      out[0] = format_;
      position_ = 1;
      given = 1;
    }
    if (fetched) *fetched = given;
    return given == count ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
    const bool inRange = count <= 1 - position_;
    position_ = inRange ? position_ + count : 1;
    return inRange ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Reset() override {
    position_ = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(IEnumFORMATETC** out) override {
    if (!out) return E_POINTER;
    *out = new (std::nothrow) FormatEnumerator(format_, position_);
    return *out ? S_OK : E_OUTOFMEMORY;
  }

 private:
  FORMATETC format_;
  ULONG position_;
};

class TextDataObject final : public ComObject<IDataObject, IID_IDataObject> {
 public:
  explicit TextDataObject(std::function<std::string()> source) : source_(std::move(source)) {}

  // After the drag the program's state may be gone; later requests get what was given, or nothing.
  void detach() { source_ = nullptr; }

  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
    if (!format || !medium) return E_INVALIDARG;
    if (QueryGetData(format) != S_OK) return DV_E_FORMATETC;
    try {
      if (!resolved_ && source_) text_ = source_();
      resolved_ = true;
    } catch (...) {
      return E_UNEXPECTED;
    }
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text_.size() + 1);
    if (!block) return E_OUTOFMEMORY;
    char* bytes = static_cast<char*>(GlobalLock(block));
    if (!bytes) {
      GlobalFree(block);
      return E_OUTOFMEMORY;
    }
    if (!text_.empty()) memcpy(bytes, text_.data(), text_.size());
    bytes[text_.size()] = '\0';
    GlobalUnlock(block);
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = block;
    medium->pUnkForRelease = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
    if (!format) return E_INVALIDARG;
    if (format->cfFormat != CF_TEXT || format->dwAspect != DVASPECT_CONTENT) return DV_E_FORMATETC;
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
    *out = new (std::nothrow) FormatEnumerator(formatOf(CF_TEXT));
    return *out ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

 private:
  std::function<std::string()> source_;
  std::string text_;
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

void dragTextOut(std::function<std::string()> text) {
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
