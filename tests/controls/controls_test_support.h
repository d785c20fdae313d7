#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/controls/form.h"
#include "platform/controls/image.h"
#include "platform/controls/label.h"
#include "platform/controls/rectangle.h"

// A plain window, 300 by 200, dark background, for control tests.
inline std::unique_ptr<fmx::TForm> MakeForm() {
  auto form = std::make_unique<fmx::TForm>();
  form->SetClientWidth(300);
  form->SetClientHeight(200);
  form->SetFillColor(0xFF1E1E1E);
  return form;
}

inline fmx::TRectangle* AddRectangle(fmx::TForm& form, fmx::TControl* parent, float x, float y,
                                     float w, float h) {
  auto* r = new fmx::TRectangle(&form);
  r->SetParent(parent);
  r->SetPosition(x, y);
  r->SetSize(w, h);
  return r;
}

// Channels of an AARRGGBB colour.
inline int Red(std::uint32_t c) { return int((c >> 16) & 0xFF); }
inline int Green(std::uint32_t c) { return int((c >> 8) & 0xFF); }
inline int Blue(std::uint32_t c) { return int(c & 0xFF); }

inline ::testing::AssertionResult ColorNear(std::uint32_t actual, std::uint32_t expected,
                                            int tolerance = 2) {
  if (std::abs(Red(actual) - Red(expected)) <= tolerance &&
      std::abs(Green(actual) - Green(expected)) <= tolerance &&
      std::abs(Blue(actual) - Blue(expected)) <= tolerance) {
    return ::testing::AssertionSuccess();
  }
  char text[64];
  std::snprintf(text, sizeof text, "%08X, expected about %08X", actual, expected);
  return ::testing::AssertionFailure() << text;
}
