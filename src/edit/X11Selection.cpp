#include "edit/X11Selection.h"

#include <poll.h>
#include <xcb/xcb.h>
#include <xcb/xproto.h>

#include <QGuiApplication>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

namespace quoxa {

namespace {

using Clock = std::chrono::steady_clock;

// An owner that has not answered (or sent the next part) by then is not waited for longer.
constexpr auto kAnswerTime = std::chrono::seconds(5);
// A property is read in parts of this many 32-bit units (4 MiB).
constexpr uint32_t kReadUnits = 1u << 20;

template <class T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

template <class T>
Reply<T> Owned(T* reply) {
  return Reply<T>(reply, &std::free);
}

class TSelectionReader {
 public:
  TSelectionReader() : connection_(xcb_connect(nullptr, nullptr)) {
    if (xcb_connection_has_error(connection_) != 0) return;
    const xcb_setup_t* setup = xcb_get_setup(connection_);
    const xcb_screen_iterator_t screen = xcb_setup_roots_iterator(setup);
    if (screen.rem == 0) return;
    const char* names[] = {"CLIPBOARD",
                           "TARGETS",
                           "INCR",
                           "text/plain",
                           "UTF8_STRING",
                           "text/plain;charset=utf-8",
                           "text/plain;charset=UTF-8",
                           "QUOXA_SELECTION"};
    xcb_intern_atom_cookie_t cookies[std::size(names)];
    for (size_t i = 0; i < std::size(names); ++i) {
      cookies[i] =
          xcb_intern_atom(connection_, 0, static_cast<uint16_t>(std::strlen(names[i])), names[i]);
    }
    xcb_atom_t* atoms[] = {&clipboard_,  &targets_,   &incr_,           &textPlain_,
                           &utf8String_, &utf8Plain_, &utf8PlainUpper_, &property_};
    for (size_t i = 0; i < std::size(names); ++i) {
      auto reply = Owned(xcb_intern_atom_reply(connection_, cookies[i], nullptr));
      if (!reply) return;
      *atoms[i] = reply->atom;
    }
    window_ = xcb_generate_id(connection_);
    // Property changes tell when the next part of a large transfer is there.
    const uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window_, screen.data->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK,
                      &events);
    ready_ = true;
  }

  ~TSelectionReader() {
    if (ready_) xcb_destroy_window(connection_, window_);
    xcb_disconnect(connection_);
  }

  TSelectionReader(const TSelectionReader&) = delete;
  TSelectionReader& operator=(const TSelectionReader&) = delete;

  // The 8-bit text target the owner offers (EightBitTargetOf), or none.
  xcb_atom_t EightBitTarget() {
    std::string list;
    if (!ready_ || !Fetch(targets_, list)) return XCB_NONE;
    std::vector<xcb_atom_t> offered(list.size() / sizeof(xcb_atom_t));
    std::memcpy(offered.data(), list.data(), offered.size() * sizeof(xcb_atom_t));
    const std::pair<xcb_atom_t, std::string_view> known[] = {
        {XCB_ATOM_STRING, "STRING"},
        {textPlain_, "text/plain"},
        {utf8String_, "UTF8_STRING"},
        {utf8Plain_, "text/plain;charset=utf-8"},
        {utf8PlainUpper_, "text/plain;charset=UTF-8"}};
    std::vector<std::string_view> names;
    for (const xcb_atom_t atom : offered) {
      for (const auto& [known_atom, name] : known) {
        if (atom == known_atom) names.push_back(name);
      }
    }
    const std::string_view chosen = EightBitTargetOf(names);
    for (const auto& [known_atom, name] : known) {
      if (!chosen.empty() && name == chosen) return known_atom;
    }
    return XCB_NONE;
  }

  std::optional<std::string> EightBitText() {
    // One target only: an owner that refuses STRING has text that is not 8-bit.
    const xcb_atom_t target = EightBitTarget();
    std::string bytes;
    if (target == XCB_NONE || !Fetch(target, bytes)) return std::nullopt;
    return bytes;
  }

 private:
  // The owner's data of one target, also when it comes in parts (INCR).
  bool Fetch(xcb_atom_t target, std::string& data) {
    xcb_delete_property(connection_, window_, property_);
    xcb_convert_selection(connection_, window_, clipboard_, target, property_, XCB_CURRENT_TIME);
    xcb_flush(connection_);
    auto notify = Wait(XCB_SELECTION_NOTIFY);
    if (!notify) return false;
    const auto* answer = reinterpret_cast<const xcb_selection_notify_event_t*>(notify.get());
    if (answer->property == XCB_NONE) return false;
    xcb_atom_t type = XCB_NONE;
    if (!ReadProperty(data, type)) return false;
    if (type != incr_) return true;
    data.clear();
    for (;;) {
      if (!Wait(XCB_PROPERTY_NOTIFY)) return false;
      std::string part;
      if (!ReadProperty(part, type)) return false;
      if (part.empty()) return true;
      data += part;
    }
  }

  // Reads and deletes the property; deleting it asks an INCR owner for the next part.
  bool ReadProperty(std::string& data, xcb_atom_t& type) {
    data.clear();
    for (uint32_t offset = 0;;) {
      auto reply = Owned(
          xcb_get_property_reply(connection_,
                                 xcb_get_property(connection_, 0, window_, property_,
                                                  XCB_GET_PROPERTY_TYPE_ANY, offset, kReadUnits),
                                 nullptr));
      if (!reply) return false;
      type = reply->type;
      const int length = xcb_get_property_value_length(reply.get());
      data.append(static_cast<const char*>(xcb_get_property_value(reply.get())),
                  static_cast<size_t>(length));
      if (reply->bytes_after == 0) break;
      offset += static_cast<uint32_t>(length) / 4;
    }
    xcb_delete_property(connection_, window_, property_);
    xcb_flush(connection_);
    return true;
  }

  // The next event of this kind for our window (a new value of our property, for a property
  // notice), other events dropped; nothing when none came in time.
  Reply<xcb_generic_event_t> Wait(uint8_t kind) {
    const auto deadline = Clock::now() + kAnswerTime;
    for (;;) {
      while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
        auto owned = Owned(event);
        if ((event->response_type & 0x7F) != kind) continue;
        if (kind == XCB_PROPERTY_NOTIFY) {
          const auto* change = reinterpret_cast<const xcb_property_notify_event_t*>(event);
          if (change->window != window_ || change->atom != property_ ||
              change->state != XCB_PROPERTY_NEW_VALUE) {
            continue;
          }
        } else if (reinterpret_cast<const xcb_selection_notify_event_t*>(event)->requestor !=
                   window_) {
          continue;
        }
        return owned;
      }
      if (xcb_connection_has_error(connection_) != 0) return Owned<xcb_generic_event_t>(nullptr);
      const auto left =
          std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
      if (left <= 0) return Owned<xcb_generic_event_t>(nullptr);
      pollfd fd{xcb_get_file_descriptor(connection_), POLLIN, 0};
      poll(&fd, 1, static_cast<int>(left));
    }
  }

  xcb_connection_t* connection_;
  bool ready_ = false;
  xcb_window_t window_ = XCB_NONE;
  xcb_atom_t clipboard_ = XCB_NONE;
  xcb_atom_t targets_ = XCB_NONE;
  xcb_atom_t incr_ = XCB_NONE;
  xcb_atom_t textPlain_ = XCB_NONE;
  xcb_atom_t utf8String_ = XCB_NONE;
  xcb_atom_t utf8Plain_ = XCB_NONE;
  xcb_atom_t utf8PlainUpper_ = XCB_NONE;
  xcb_atom_t property_ = XCB_NONE;
};

}  // namespace

namespace {
bool OnX11() { return QGuiApplication::platformName() == QLatin1String("xcb"); }
}  // namespace

std::string_view EightBitTargetOf(const std::vector<std::string_view>& offered) {
  const auto offers = [&](std::string_view target) {
    return std::find(offered.begin(), offered.end(), target) != offered.end();
  };
  // An owner with UTF-8 text holds Unicode: its STRING is only a rendering in Latin-1 that
  // turns other characters into '?' (Qt's) or fails (GTK's).
  if (offers("UTF8_STRING") || offers("text/plain;charset=utf-8") ||
      offers("text/plain;charset=UTF-8")) {
    return {};
  }
  if (offers("STRING")) return "STRING";
  return offers("text/plain") ? "text/plain" : "";
}

std::optional<std::string> ReadX11EightBitText() {
  if (!OnX11()) return std::nullopt;
  TSelectionReader reader;
  return reader.EightBitText();
}

bool X11OffersEightBitText() {
  if (!OnX11()) return false;
  TSelectionReader reader;
  return reader.EightBitTarget() != XCB_NONE;
}

}  // namespace quoxa
