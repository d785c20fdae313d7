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
#include "support/colors.h"

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

using testing_support::Blue;
using testing_support::ColorNear;
using testing_support::Green;
using testing_support::Red;
