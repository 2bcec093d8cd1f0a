// A stand-in window manager for the display tests:
//   LateMapper <milliseconds>
// It maps each window that asks to be mapped that long after it asked, as
// a window manager does once it has framed the window, and grants every
// request to move, size or restack. It prints "ready" once it manages the
// display (DISPLAY) and runs until killed; it fails when another window
// manager runs.

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include <xcb/xcb.h>

namespace {

void Grant(xcb_connection_t* connection, const xcb_configure_request_event_t& request) {
  uint32_t values[7];
  int count = 0;
  const auto add = [&](uint16_t bit, uint32_t value) {
    if (request.value_mask & bit) values[count++] = value;
  };
  add(XCB_CONFIG_WINDOW_X, static_cast<uint32_t>(request.x));
  add(XCB_CONFIG_WINDOW_Y, static_cast<uint32_t>(request.y));
  add(XCB_CONFIG_WINDOW_WIDTH, request.width);
  add(XCB_CONFIG_WINDOW_HEIGHT, request.height);
  add(XCB_CONFIG_WINDOW_BORDER_WIDTH, request.border_width);
  add(XCB_CONFIG_WINDOW_SIBLING, request.sibling);
  add(XCB_CONFIG_WINDOW_STACK_MODE, request.stack_mode);
  xcb_configure_window(connection, request.window, request.value_mask, values);
}

}  // namespace

int main(int argc, char** argv) {
  const int delay = argc > 1 ? std::atoi(argv[1]) : 300;
  xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(connection)) return 2;
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
  const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT;
  const std::unique_ptr<xcb_generic_error_t, decltype(&std::free)> refused(
      xcb_request_check(connection, xcb_change_window_attributes_checked(connection, root, XCB_CW_EVENT_MASK, &mask)),
      &std::free);
  if (refused) return 3;
  std::puts("ready");
  std::fflush(stdout);
  while (xcb_generic_event_t* event = xcb_wait_for_event(connection)) {
    switch (event->response_type & 0x7F) {
      case XCB_MAP_REQUEST:
        usleep(static_cast<useconds_t>(delay) * 1000);
        xcb_map_window(connection, reinterpret_cast<xcb_map_request_event_t*>(event)->window);
        break;
      case XCB_CONFIGURE_REQUEST: Grant(connection, *reinterpret_cast<xcb_configure_request_event_t*>(event)); break;
      case XCB_CIRCULATE_REQUEST: {
        const auto* request = reinterpret_cast<xcb_circulate_request_event_t*>(event);
        xcb_circulate_window(connection, request->place, request->window);
        break;
      }
      default: break;
    }
    xcb_flush(connection);
    std::free(event);
  }
  return 0;
}
