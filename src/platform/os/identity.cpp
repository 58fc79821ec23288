#include "platform/os/identity.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>

#include <algorithm>
#include <arpa/inet.h>
#include <limits>
#include <netdb.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

namespace os {

namespace {

// A small sysfs/udev file, trimmed; empty when it cannot be read.
QString readSmallFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.read(64 * 1024)).trimmed();
}

bool isVirtualBlockName(const QString& name)
{
    static const char* const prefixes[] = {"loop", "ram", "zram", "dm-", "md", "sr", "fd", "nbd", "zd"};
    for (const char* p : prefixes) {
        if (name.startsWith(QLatin1String(p)))
            return true;
    }
    return false;
}

// SCSI peripheral type 5 is a CD/DVD drive.
bool isOptical(const QString& blockDir)
{
    return readSmallFile(blockDir + QStringLiteral("/device/type")) == QLatin1String("5");
}

// A udev property ("E:ID_SERIAL_SHORT=...") of a block device, by its
// "major:minor" number.
QString udevProperty(const SystemRoots& roots, const QString& devNumber, QLatin1String key)
{
    if (devNumber.isEmpty())
        return {};
    QFile f(roots.udevData + QStringLiteral("/b") + devNumber);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QString prefix = QStringLiteral("E:") + key + QLatin1Char('=');
    const QStringList lines = QString::fromUtf8(f.read(256 * 1024)).split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size());
    }
    return {};
}

} // namespace

QString computerName()
{
    return QSysInfo::machineHostName();
}

QString userName()
{
    if (const passwd* pw = ::getpwuid(::geteuid()); pw && pw->pw_name)
        return QString::fromLocal8Bit(pw->pw_name);
    return qEnvironmentVariable("USER");
}

QString internalIPv4()
{
    const QString fallback = QStringLiteral("127.0.0.1");
    char host[256] = {};
    if (::gethostname(host, sizeof host - 1) != 0 || host[0] == '\0')
        return fallback;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* result = nullptr;
    if (::getaddrinfo(host, nullptr, &hints, &result) != 0 || !result)
        return fallback;
    QString text = fallback;
    for (const addrinfo* a = result; a; a = a->ai_next) {
        if (a->ai_family != AF_INET || !a->ai_addr)
            continue;
        char buf[INET_ADDRSTRLEN] = {};
        const auto* in = reinterpret_cast<const sockaddr_in*>(a->ai_addr);
        if (::inet_ntop(AF_INET, &in->sin_addr, buf, sizeof buf)) {
            text = QString::fromLatin1(buf);
            break;
        }
    }
    ::freeaddrinfo(result);
    return text;
}

QString firstPhysicalDisk(const SystemRoots& roots)
{
    const QString blockRoot = roots.sys + QStringLiteral("/block");
    QStringList names = QDir(blockRoot).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System);
    std::sort(names.begin(), names.end());
    for (const QString& name : std::as_const(names)) {
        const QString dir = blockRoot + QLatin1Char('/') + name;
        if (isVirtualBlockName(name) || isOptical(dir))
            continue;
        // A real disk has hardware behind it: sysfs links "device" to it.
        if (!QFileInfo::exists(dir + QStringLiteral("/device")))
            continue;
        return name;
    }
    return {};
}

QString firstDiskSerial(const SystemRoots& roots)
{
    const QString name = firstPhysicalDisk(roots);
    if (name.isEmpty())
        return {};
    const QString dir = roots.sys + QStringLiteral("/block/") + name;
    // NVMe and some SCSI drivers publish the serial on the device, virtio on
    // the block device; SATA disks only through udev's database.
    for (const QString& file : QStringList{dir + QStringLiteral("/device/serial"), dir + QStringLiteral("/serial")}) {
        const QString serial = readSmallFile(file);
        if (!serial.isEmpty())
            return serial;
    }
    const QString devNumber = readSmallFile(dir + QStringLiteral("/dev"));
    for (QLatin1String key : {QLatin1String("ID_SERIAL_SHORT"), QLatin1String("ID_SCSI_SERIAL")}) {
        const QString serial = udevProperty(roots, devNumber, key);
        if (!serial.trimmed().isEmpty())
            return serial;
    }
    return {};
}

QString formatMacAddress(const QString& colonText)
{
    const QStringList parts = colonText.trimmed().split(QLatin1Char(':'));
    if (parts.size() != 6)
        return {};
    QStringList out;
    for (const QString& p : parts) {
        bool ok = false;
        const uint byte = p.toUInt(&ok, 16);
        if (!ok || p.size() > 2 || byte > 0xFF)
            return {};
        out << QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
    }
    return out.join(QLatin1Char('-'));
}

QString macAddress(const SystemRoots& roots)
{
    const QString netRoot = roots.sys + QStringLiteral("/class/net");
    const QStringList names = QDir(netRoot).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System);
    struct Candidate
    {
        bool hardware;
        int index;
        QString name;
    };
    QList<Candidate> candidates;
    for (const QString& name : names) {
        const QString dir = netRoot + QLatin1Char('/') + name;
        // ARPHRD_LOOPBACK is 772.
        if (name == QLatin1String("lo") || readSmallFile(dir + QStringLiteral("/type")) == QLatin1String("772"))
            continue;
        bool ok = false;
        int index = readSmallFile(dir + QStringLiteral("/ifindex")).toInt(&ok);
        if (!ok)
            index = std::numeric_limits<int>::max();
        candidates.append({QFileInfo::exists(dir + QStringLiteral("/device")), index, name});
    }
    std::sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
        if (a.hardware != b.hardware)
            return a.hardware;
        if (a.index != b.index)
            return a.index < b.index;
        return a.name < b.name;
    });
    const QString zero = QStringLiteral("00-00-00-00-00-00");
    for (const Candidate& c : std::as_const(candidates)) {
        const QString mac
            = formatMacAddress(readSmallFile(netRoot + QLatin1Char('/') + c.name + QStringLiteral("/address")));
        if (!mac.isEmpty() && mac != zero)
            return mac;
    }
    return {};
}

} // namespace os
