#include "wayland_display.h"

#include <poll.h>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

#include <climits>
#include <map>
#include <set>
#include <vector>

#include "../user/damage.h"
#include "scale.h"

namespace platform::host {
namespace {

using Interfaces = std::set<std::string>;

void Offered(void* data, wl_registry*, uint32_t, const char* interface, uint32_t) {
  static_cast<Interfaces*>(data)->insert(interface);
}
void Withdrawn(void*, wl_registry*, uint32_t) {}
const wl_registry_listener kListOffered = {Offered, Withdrawn};

// A buffer in shared memory, busy from its commit until the compositor releases it.
struct Buffer {
  wl_buffer* buffer = nullptr;
  std::uint32_t* pixels = nullptr;
  std::size_t size = 0;
  int width = 0;
  int height = 0;
  bool busy = false;
  std::vector<gdi::Box> stale;  // of the content, changed since this buffer was drawn

  ~Buffer() {
    if (buffer != nullptr) wl_buffer_destroy(buffer);
    if (pixels != nullptr) munmap(pixels, size);
  }
};

void Released(void* data, wl_buffer*) { static_cast<Buffer*>(data)->busy = false; }
const wl_buffer_listener kReleased = {Released};

// Three are enough for a compositor that holds one on screen and one on its way.
constexpr std::size_t kMostBuffers = 3;

}  // namespace

std::string WaylandDisplayProblem() {
  wl_display* display = wl_display_connect(nullptr);
  if (display == nullptr) return "";
  Interfaces offered;
  wl_registry* registry = wl_display_get_registry(display);
  wl_registry_add_listener(registry, &kListOffered, &offered);
  const bool answered = wl_display_roundtrip(display) >= 0;
  wl_registry_destroy(registry);
  wl_display_disconnect(display);
  if (!answered) return "";
  const struct {
    const char* interface;
    const char* missing;
  } kNeeded[] = {
      {"wl_compositor", "the compositor offers no surfaces"},
      {"wl_shm", "the compositor offers no shared memory"},
      {"xdg_wm_base", "the compositor offers no windows (xdg-shell)"},
      {"wl_seat", "the compositor offers no seat: no keyboard or pointer"},
  };
  for (const auto& needed : kNeeded)
    if (offered.count(needed.interface) == 0) return needed.missing;
  return "";
}

// The presenter's objects live on a queue of their own, so that SDL's dispatching of the
// display's events never runs the presenter's listeners, and the other way round.
struct WaylandPresenter::Impl {
  wl_display* display = nullptr;
  wl_event_queue* queue = nullptr;
  wl_registry* registry = nullptr;
  wl_shm* shm = nullptr;
  std::map<wl_surface*, std::vector<std::unique_ptr<Buffer>>> buffers;

  static void Global(void* data, wl_registry* registry, uint32_t name, const char* interface,
                     uint32_t) {
    Impl* self = static_cast<Impl*>(data);
    if (std::string(interface) == wl_shm_interface.name && self->shm == nullptr)
      self->shm = static_cast<wl_shm*>(wl_registry_bind(registry, name, &wl_shm_interface, 1));
  }

  ~Impl() {
    buffers.clear();
    if (shm != nullptr) wl_shm_destroy(shm);
    if (registry != nullptr) wl_registry_destroy(registry);
    if (queue != nullptr) wl_event_queue_destroy(queue);
  }

  std::unique_ptr<Buffer> Make(int width, int height) {
    auto made = std::make_unique<Buffer>();
    made->width = width;
    made->height = height;
    made->size = static_cast<std::size_t>(width) * height * 4;
    const int fd = memfd_create("tavrelo-window", MFD_CLOEXEC);
    if (fd < 0) return nullptr;
    void* memory = MAP_FAILED;
    if (ftruncate(fd, static_cast<off_t>(made->size)) == 0)
      memory = mmap(nullptr, made->size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (memory == MAP_FAILED) {
      close(fd);
      return nullptr;
    }
    made->pixels = static_cast<std::uint32_t*>(memory);
    wl_shm_pool* pool = wl_shm_create_pool(shm, fd, static_cast<int32_t>(made->size));
    made->buffer =
        wl_shm_pool_create_buffer(pool, 0, width, height, width * 4, WL_SHM_FORMAT_XRGB8888);
    wl_shm_pool_destroy(pool);
    close(fd);
    wl_buffer_add_listener(made->buffer, &kReleased, made.get());
    return made;
  }
};

std::unique_ptr<WaylandPresenter> WaylandPresenter::Open(wl_display* display) {
  std::unique_ptr<WaylandPresenter> presenter(new WaylandPresenter);
  auto impl = std::make_unique<Impl>();
  impl->display = display;
  impl->queue = wl_display_create_queue(display);
  impl->registry = wl_display_get_registry(display);
  wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(impl->registry), impl->queue);
  static const wl_registry_listener listener = {Impl::Global, Withdrawn};
  wl_registry_add_listener(impl->registry, &listener, impl.get());
  if (wl_display_roundtrip_queue(display, impl->queue) < 0 || impl->shm == nullptr) return nullptr;
  presenter->impl_ = std::move(impl);
  return presenter;
}

WaylandPresenter::~WaylandPresenter() = default;

bool WaylandPresenter::Present(wl_surface* surface, const gdi::PixelBuffer& content,
                               const std::vector<gdi::Box>& changed, int scale, int bufferScale) {
  Impl& impl = *impl_;
  wl_display_dispatch_queue_pending(impl.display, impl.queue);  // the buffers given back
  const int factor = scale * bufferScale;
  const int width = content.width * factor, height = content.height * factor;
  auto& buffers = impl.buffers[surface];
  Buffer* free = nullptr;
  for (auto it = buffers.begin(); it != buffers.end() && free == nullptr;) {
    if ((*it)->busy) {
      ++it;
    } else if ((*it)->width != width || (*it)->height != height) {
      it = buffers.erase(it);  // of a size gone by
    } else {
      free = it->get();
    }
  }
  if (free == nullptr && buffers.size() < kMostBuffers) {
    if (auto made = impl.Make(width, height)) {
      made->stale = {{0, 0, content.width, content.height}};  // drawn whole the first time
      buffers.push_back(std::move(made));
      free = buffers.back().get();
    }
  }
  if (free == nullptr) return false;
  std::vector<gdi::Box> draw = free->stale;
  draw.insert(draw.end(), changed.begin(), changed.end());
  for (const auto& buffer : buffers)
    if (buffer.get() != free) {
      buffer->stale.insert(buffer->stale.end(), changed.begin(), changed.end());
      buffer->stale = user::MergeBoxes(std::move(buffer->stale));
    }
  free->stale.clear();
  const gdi::Box whole{0, 0, content.width, content.height};
  for (const gdi::Box& part : draw) {
    const gdi::Box box = part.Intersect(whole);
    if (box.Empty()) continue;
    UpscalePart(content.pixels.data(), content.width, box.left, box.top, box.right, box.bottom,
                free->pixels, width, factor);
    // In the buffer's pixels where the surface knows them (version 4), else in its own.
    if (wl_proxy_get_version(reinterpret_cast<wl_proxy*>(surface)) >= 4)
      wl_surface_damage_buffer(surface, box.left * factor, box.top * factor,
                               (box.right - box.left) * factor, (box.bottom - box.top) * factor);
    else
      wl_surface_damage(surface, box.left * scale, box.top * scale, (box.right - box.left) * scale,
                        (box.bottom - box.top) * scale);
  }
  wl_surface_set_buffer_scale(surface, bufferScale);
  wl_surface_attach(surface, free->buffer, 0, 0);
  wl_surface_commit(surface);
  free->busy = true;
  wl_display_flush(impl.display);
  return true;
}

void WaylandPresenter::Dispatch() {
  Impl& impl = *impl_;
  // What has come on the connection is read without waiting; what SDL read already is queued.
  if (wl_display_prepare_read_queue(impl.display, impl.queue) == 0) {
    pollfd ready{wl_display_get_fd(impl.display), POLLIN, 0};
    if (poll(&ready, 1, 0) > 0 && (ready.revents & POLLIN))
      wl_display_read_events(impl.display);
    else
      wl_display_cancel_read(impl.display);
  }
  wl_display_dispatch_queue_pending(impl.display, impl.queue);
}

void WaylandPresenter::Forget(wl_surface* surface) { impl_->buffers.erase(surface); }

}  // namespace platform::host
