#include "win/win_wire_frame_image.h"

#include <algorithm>

#include "foundation/runtime_error_box.h"

zavo::RasterWireFrameImage* WinWireFrameImage::Buffer() {
  return window_ != nullptr ? &window_->Buffer() : nullptr;
}

void WinWireFrameImage::Touched(int x1, int y1, int x2, int y2) {
  if (window_ == nullptr) return;
  const int left = std::max(std::min(x1, x2), 0);
  const int top = std::max(std::min(y1, y2), 0);
  const int right = std::min(std::max(x1, x2), window_->Buffer().Width() - 1);
  const int bottom = std::min(std::max(y1, y2), window_->Buffer().Height() - 1);
  if (left > right || top > bottom) return;
  window_->Touched(wxRect(left, top, right - left + 1, bottom - top + 1));
}

void WinWireFrameImage::Clear() {
  if (auto* b = Buffer()) {
    b->Clear();
    window_->TouchedAll();
  }
}

void WinWireFrameImage::DrawLine(int x1, int y1, int x2, int y2, int r, int g, int b) {
  if (auto* buffer = Buffer()) {
    buffer->DrawLine(x1, y1, x2, y2, r, g, b);
    Touched(x1, y1, x2, y2);
  }
}

int WinWireFrameImage::GetWidth() {
  return window_ != nullptr ? window_->GetClientSize().x : -1;
}

int WinWireFrameImage::GetHeight() {
  return window_ != nullptr ? window_->GetClientSize().y : -1;
}

void WinWireFrameImage::DeleteLine() {
  if (window_ != nullptr) RuntimeErrorBox("Can't DeleteLine");
}

void WinWireFrameImage::DrawXorLine(int x1, int y1, int x2, int y2) {
  if (auto* b = Buffer()) {
    b->DrawXorLine(x1, y1, x2, y2);
    Touched(x1, y1, x2, y2);
  }
}

void WinWireFrameImage::BeginPen(int r, int g, int b) {
  if (auto* buffer = Buffer()) {
    buffer->BeginPen(r, g, b);
    ++passes_;
  } else {
    ++windowlessPasses_;
  }
}

void WinWireFrameImage::EndPen() {
  if (windowlessPasses_ > 0) {
    --windowlessPasses_;
    return;
  }
  if (passes_ == 0) return;
  --passes_;
  if (auto* buffer = Buffer()) buffer->EndPen();
}

void WinWireFrameImage::PenLine(int x1, int y1, int x2, int y2) {
  if (passes_ == 0) return;
  if (auto* buffer = Buffer()) {
    buffer->PenLine(x1, y1, x2, y2);
    Touched(x1, y1, x2, y2);
  }
}

void WinWireFrameImage::Fill(int r, int g, int b) {
  if (auto* buffer = Buffer()) {
    buffer->Fill(r, g, b);
    window_->TouchedAll();
  }
}

void WinWireFrameImage::TextSize(const char* text, int& width, int& height) {
  // The font of DrawText: the buffer's own, with or without a window.
  zavo::RasterWireFrameImage measure(0, 0);
  measure.TextSize(text, width, height);
}

void WinWireFrameImage::DrawText(const char* text, int x, int y) {
  if (auto* buffer = Buffer()) {
    int w = 0, h = 0;
    buffer->TextSize(text, w, h);
    buffer->DrawText(text, x, y);
    if (w > 0 && h > 0) Touched(x, y, x + w - 1, y + h - 1);
  }
}

void WinWireFrameImage::ShowBitmap() { RuntimeErrorBox("WinWireFrameImage::ShowBitmap not def"); }

void WinWireFrameImage::FillTriangle(int x1, int y1, int x2, int y2, int x3, int y3, int r, int g,
                                     int b) {
  if (auto* buffer = Buffer()) {
    buffer->FillTriangle(x1, y1, x2, y2, x3, y3, r, g, b);
    Touched(std::min({x1, x2, x3}), std::min({y1, y2, y3}), std::max({x1, x2, x3}),
            std::max({y1, y2, y3}));
  }
}

void WinWireFrameImage2::DrawText(const char* text, int x, int y) {
  if (auto* buffer = Buffer()) {
    int w = 0, h = 0;
    buffer->TextSize(text, w, h);
    if (w > 0 && h > 0) {
      // The opaque background: the text's box in white.
      const int right = x + w - 1, bottom = y + h - 1;
      buffer->FillTriangle(x, y, right, y, right, bottom, 255, 255, 255);
      buffer->FillTriangle(x, y, x, bottom, right, bottom, 255, 255, 255);
    }
  }
  WinWireFrameImage::DrawText(text, x, y);
}
