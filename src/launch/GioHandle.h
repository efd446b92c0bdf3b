#pragma once

#include <glib-object.h>
#include <memory>

namespace scriblo {

// Owning handles for GLib memory and GObject references, so that every early return
// releases what it took.
struct GFreeDeleter {
    void operator()(void* memory) const { g_free(memory); }
};
struct GObjectDeleter {
    void operator()(void* object) const { g_object_unref(object); }
};

struct KeyFileDeleter {
    void operator()(GKeyFile* file) const { g_key_file_free(file); }
};

template<typename T>
using GioHandle = std::unique_ptr<T, GFreeDeleter>;
template<typename T>
using GioObject = std::unique_ptr<T, GObjectDeleter>;
using KeyFile = std::unique_ptr<GKeyFile, KeyFileDeleter>;

}
