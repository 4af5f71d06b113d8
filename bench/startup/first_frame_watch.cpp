// SPDX-License-Identifier: GPL-3.0-or-later
#include "first_frame_watch.h"

#include <poll.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>

namespace bench {

namespace {

template <class T>
std::unique_ptr<T, decltype(&std::free)> Owned(T* p) {
    return {p, &std::free};
}

constexpr int kInset = 3; // px from each edge
constexpr auto kPollGap = std::chrono::microseconds(500);

} // namespace

FirstFrameWatch::FirstFrameWatch(const std::string& display) {
    int screenNumber = 0;
    xcb_connection_t* c = xcb_connect(display.c_str(), &screenNumber);
    if (xcb_connection_has_error(c)) {
        xcb_disconnect(c);
        return;
    }
    connection_ = c;
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screenNumber; ++i) xcb_screen_next(&it);
    root_ = it.data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, root_, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(c);
}

FirstFrameWatch::~FirstFrameWatch() {
    if (connection_) xcb_disconnect(connection_);
}

void FirstFrameWatch::drain() {
    if (!connection_) return;
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) std::free(event);
}

bool FirstFrameWatch::waitEvent(Clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return false;
    pollfd p{xcb_get_file_descriptor(connection_), POLLIN, 0};
    return poll(&p, 1, static_cast<int>(left)) > 0;
}

FirstFrameWatch::Shown FirstFrameWatch::next(Clock::time_point deadline) {
    Shown shown;
    if (!connection_) return shown;
    // Mapped: a MapNotify on the root for a window that is no popup.
    while (!shown.window) {
        xcb_generic_event_t* raw = xcb_poll_for_event(connection_);
        if (!raw) {
            if (xcb_connection_has_error(connection_) || !waitEvent(deadline)) return shown;
            continue;
        }
        auto event = Owned(raw);
        if ((event->response_type & 0x7f) != XCB_MAP_NOTIFY) continue;
        const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event.get());
        if (map->override_redirect) continue;
        const auto mappedAt = Clock::now();
        auto geometry = Owned(xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, map->window), nullptr));
        if (!geometry || geometry->width < 200 || geometry->height < 100) continue;
        shown.window = map->window;
        shown.width = geometry->width;
        shown.height = geometry->height;
        shown.mapped = mappedAt;
    }
    // Painted: poll the corner pixels.
    while (Clock::now() < deadline) {
        if (painted(shown.window, shown.width, shown.height)) {
            shown.painted = Clock::now();
            shown.ok = true;
            return shown;
        }
        std::this_thread::sleep_for(kPollGap);
    }
    return shown;
}

bool FirstFrameWatch::painted(xcb_window_t window, int width, int height) {
    const std::array<std::array<int, 2>, 4> corners = {{{kInset, kInset},
                                                        {width - 1 - kInset, kInset},
                                                        {kInset, height - 1 - kInset},
                                                        {width - 1 - kInset, height - 1 - kInset}}};
    std::array<xcb_get_image_cookie_t, 4> cookies;
    for (std::size_t i = 0; i < corners.size(); ++i)
        cookies[i] = xcb_get_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, window, static_cast<int16_t>(corners[i][0]),
                                   static_cast<int16_t>(corners[i][1]), 1, 1, ~0u);
    bool all = true;
    for (auto cookie : cookies) {
        auto reply = Owned(xcb_get_image_reply(connection_, cookie, nullptr));
        if (!reply || xcb_get_image_data_length(reply.get()) < 3) {
            all = false;
            continue;
        }
        const uint8_t* pixel = xcb_get_image_data(reply.get());
        if (pixel[0] == 0 && pixel[1] == 0 && pixel[2] == 0) all = false;
    }
    return all;
}

xcb_atom_t FirstFrameWatch::atom(const char* name) {
    auto reply = Owned(xcb_intern_atom_reply(
        connection_, xcb_intern_atom(connection_, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

void FirstFrameWatch::requestClose(xcb_window_t window) {
    if (!connection_) return;
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = atom("WM_PROTOCOLS");
    message.data.data32[0] = atom("WM_DELETE_WINDOW");
    message.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(connection_, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&message));
    xcb_flush(connection_);
}

} // namespace bench
