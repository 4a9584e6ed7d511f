#include "win32/map_view.hpp"

#include <windowsx.h>

#include <utility>

#include "win32/dpi.hpp"

namespace korvanta::win32 {

namespace {

constexpr wchar_t kMapClassName[] = L"KorvantaMap";

// The class once per program; registering it again fails harmlessly.
void RegisterMapClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSEXW map_class{};
  map_class.cbSize = sizeof(map_class);
  map_class.lpfnWndProc = procedure;
  map_class.hInstance = instance;
  map_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  map_class.lpszClassName = kMapClassName;
  // No background brush: every paint covers the whole window from the buffer.
  RegisterClassExW(&map_class);
}

}  // namespace

MapView::MapView(HINSTANCE instance, HWND parent, int id, PictureSource source, MarkClicked clicked)
    : source_(std::move(source)), clicked_(std::move(clicked)) {
  RegisterMapClass(instance, &WindowProcedure);
  CreateWindowExW(0, kMapClassName, L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 0, 0, 0, 0, parent,
                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, this);
}

MapView::~MapView() {
  if (window_ != nullptr)
    DestroyWindow(window_);
}

LRESULT CALLBACK MapView::WindowProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<MapView*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->window_ = window;
  }
  auto* self = reinterpret_cast<MapView*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr)
    return DefWindowProcW(window, message, wparam, lparam);
  return self->OnMessage(message, wparam, lparam);
}

LRESULT MapView::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SIZE:
      ForgetPicture();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the paint covers it all
    case WM_PAINT:
      Paint();
      return 0;
    case WM_LBUTTONDOWN:
      Clicked(POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
      return 0;
    case WM_SETCURSOR:
      // The hand over a mark says that a click there selects its row.
      if (LOWORD(lparam) == HTCLIENT && RowUnderCursor()) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
      }
      return DefWindowProcW(window_, message, wparam, lparam);
    case WM_NCDESTROY: {
      layer_.reset();
      const HWND window = std::exchange(window_, nullptr);
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      return DefWindowProcW(window, message, wparam, lparam);
    }
    default:
      return DefWindowProcW(window_, message, wparam, lparam);
  }
}

void MapView::RouteChanged() {
  marked_row_.reset();
  ForgetPicture();
}

void MapView::MarkRow(std::optional<std::size_t> row) {
  if (row == marked_row_)
    return;
  marked_row_ = row;
  InvalidateRect(window_, nullptr, FALSE);
}

const MapPicture& MapView::Picture() {
  if (!picture_)
    picture_ = source_(Size());
  return *picture_;
}

double MapView::Scale() const {
  return static_cast<double>(WindowDpi(window_)) / kDesignDpi;
}

MapSize MapView::Size() const {
  RECT client{};
  GetClientRect(window_, &client);
  const double scale = Scale();
  return MapSize{client.right / scale, client.bottom / scale, kMapViewMargin};
}

void MapView::ForgetPicture() {
  picture_.reset();
  layer_.reset();
  InvalidateRect(window_, nullptr, FALSE);
}

void MapView::Paint() {
  PAINTSTRUCT paint{};
  const HDC dc = BeginPaint(window_, &paint);
  RECT client{};
  GetClientRect(window_, &client);
  const SIZE size{client.right, client.bottom};
  if (size.cx > 0 && size.cy > 0) {
    const auto scale = static_cast<Gdiplus::REAL>(Scale());
    if (!layer_) {
      layer_.emplace(dc, size);
      Gdiplus::Graphics graphics(layer_->Dc());
      graphics.ScaleTransform(scale, scale);
      PaintMap(graphics, Picture());
    }
    if (marked_row_) {
      const MemoryCanvas buffer(dc, size);
      layer_->CopyTo(buffer.Dc());
      {
        Gdiplus::Graphics graphics(buffer.Dc());
        graphics.ScaleTransform(scale, scale);
        PaintRowRing(graphics, Picture(), *marked_row_);
      }
      buffer.CopyTo(dc);
    } else {
      layer_->CopyTo(dc);
    }
  }
  EndPaint(window_, &paint);
}

std::optional<std::size_t> MapView::RowAt(POINT at) {
  const double scale = Scale();
  return MarkAt(Picture(), MapPixel{at.x / scale, at.y / scale});
}

std::optional<std::size_t> MapView::RowUnderCursor() {
  POINT at{};
  GetCursorPos(&at);
  ScreenToClient(window_, &at);
  return RowAt(at);
}

void MapView::Clicked(POINT at) {
  const std::optional<std::size_t> row = RowAt(at);
  if (row && clicked_)
    clicked_(*row);
}

}  // namespace korvanta::win32
