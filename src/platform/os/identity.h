#pragma once
// This computer's identity from the Linux system: names, addresses, the first
// physical disk's serial number and the first adapter's hardware address. The
// file-system roots are injectable so that tests run on small fixture trees.

#include <QString>

namespace os {

struct SystemRoots
{
    QString sys = QStringLiteral("/sys");                // sysfs
    QString udevData = QStringLiteral("/run/udev/data"); // udev's device database
};

// The host name, or empty.
QString computerName();
// The name of the user running the program, or empty.
QString userName();
// The first IPv4 address the host's own name resolves to, dotted; when the
// name does not resolve to one, "127.0.0.1".
QString internalIPv4();

// The name of the first physical disk under <sys>/block ("sda", "nvme0n1",
// "vda", ...): loop, ram, zram, device-mapper, md, optical and other devices
// without hardware behind them are skipped; the remaining names are taken in
// order. Empty when there is none.
QString firstPhysicalDisk(const SystemRoots& roots = {});
// The serial number of the first physical disk as the system reports it (not
// trimmed, not upper-cased), from sysfs or else from udev's data; empty when
// the disk reports none.
QString firstDiskSerial(const SystemRoots& roots = {});

// The first non-loopback network interface with a non-zero hardware address,
// formatted as six upper-case hex pairs joined by "-". Interfaces with hardware
// behind them come before virtual ones, each group in interface-index order.
// Empty when there is none.
QString macAddress(const SystemRoots& roots = {});

// Formats six address bytes as "AA-BB-CC-DD-EE-FF"; parses sysfs's
// "aa:bb:cc:dd:ee:ff" form. Empty for anything else.
QString formatMacAddress(const QString& colonText);

} // namespace os
