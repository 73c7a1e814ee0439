// Owning pointers for the GObjects libgcab and GIO hand out.
#pragma once

#include <glib-object.h>

#include <memory>

namespace cab {

template <typename T>
struct GFree {
  void operator()(T *p) const { g_object_unref(p); }
};
template <typename T>
using GPtr = std::unique_ptr<T, GFree<T>>;

}  // namespace cab
