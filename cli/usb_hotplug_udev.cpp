// apply --watch --usb on Linux: USB printers taken as udev tells of them being plugged in and out.
#include <libudev.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>

#include "cli/cli_platform.h"
#include "cli/stop_switch.h"
#include "link/usb_printer_nodes_posix.h"

namespace {

using Device = std::unique_ptr<udev_device, decltype(&udev_device_unref)>;

// The next printer node event the monitor passes on; null once stop trips, which writes to wake.
Device NextEvent(udev_monitor* monitor, int wake, CStopSwitch& stop) {
    stop.OnTrip([wake] {
        const uint64_t one = 1;
        (void)!write(wake, &one, sizeof one);
    });
    Device event(nullptr, udev_device_unref);
    for (;;) {
        pollfd waits[] = {{wake, POLLIN, 0}, {udev_monitor_get_fd(monitor), POLLIN, 0}};
        const int ready = poll(waits, 2, -1);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0 || waits[0].revents != 0)
            break;
        // A message that the monitor's filter drops gives no device.
        event.reset(udev_monitor_receive_device(monitor));
        if (event)
            break;
    }
    stop.OnTrip(nullptr);
    return event;
}

// What event did ("add", "remove", ...) and to the printer at which node, as FirstUsbPrinter names
// it.
std::pair<std::string, std::string> ActionAndNode(udev_device* event) {
    const char* action = udev_device_get_action(event);
    const char* devnode = udev_device_get_devnode(event);
    return {action == nullptr ? "" : action, devnode == nullptr ? "" : UsbPrinterNode(devnode)};
}

// The udev daemon's events, once it has made the node; without the daemon (a container, a
// minimal system) libudev passes none of those on, so the kernel's own.
const char* EventSource() {
    return access("/run/udev/control", F_OK) == 0 ? "udev" : "kernel";
}

}  // namespace

bool ServeUsbPrintersAsPlugged(CStopSwitch& stop,
                               const std::function<void(const std::string& port)>& serve) {
    const std::unique_ptr<udev, decltype(&udev_unref)> context(udev_new(), udev_unref);
    const std::unique_ptr<udev_monitor, decltype(&udev_monitor_unref)> monitor(
        context ? udev_monitor_new_from_netlink(context.get(), EventSource()) : nullptr,
        udev_monitor_unref);
    if (!monitor ||
        udev_monitor_filter_add_match_subsystem_devtype(monitor.get(), "usbmisc", nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor.get()) < 0)
        return false;
    const int wake = eventfd(0, EFD_CLOEXEC);
    if (wake < 0)
        return false;
    // Listening began before the first look, so a printer plugged in since is not missed. Which
    // printer is one to take is the port list's to say, whatever the event.
    std::string served;  // the printer last served, until it is unplugged
    bool look = true;    // at the start, and once another printer was plugged in
    while (!stop.Tripped()) {
        if (served.empty() && look) {
            look = false;
            served = FirstUsbPrinter();
            if (!served.empty())
                serve(served);
        }
        const Device event = NextEvent(monitor.get(), wake, stop);
        if (!event)
            break;
        const auto [action, node] = ActionAndNode(event.get());
        if (action == "remove" && node == served)
            served.clear();
        else if (action == "add" && node != served)
            look = true;
    }
    close(wake);
    return true;
}
