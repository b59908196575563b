#include "platform/qt_platform.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QStringList>
#include <QThread>
#include <memory>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
#include <csignal>
#endif

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }

#ifdef Q_OS_WIN
std::unique_ptr<QSettings> OpenKey(const std::string& key) {
    return std::make_unique<QSettings>(QStringLiteral("HKEY_CURRENT_USER\\") + Q(key), QSettings::NativeFormat);
}

bool KeyExists(QSettings& settings) { return !settings.childKeys().isEmpty() || !settings.childGroups().isEmpty(); }

void WaitForProcess(qint64 pid, int waitMilliseconds) {
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(pid));
    if (!process) return;
    WaitForSingleObject(process, static_cast<DWORD>(waitMilliseconds));
    CloseHandle(process);
}
#else
// "Software\Organisation\Application", as QSettings lays out its own keys in the registry.
std::unique_ptr<QSettings> OpenKey(const std::string& key) {
    const QStringList parts = Q(key).split(QLatin1Char('\\'));
    if (parts.size() != 3 || parts[0] != QLatin1String("Software")) return nullptr;
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, parts[1], parts[2]);
}

bool KeyExists(QSettings& settings) { return QFileInfo::exists(settings.fileName()); }

// A detached program is not our child: it is watched by its process id, which stays taken
// while the program runs.
void WaitForProcess(qint64 pid, int waitMilliseconds) {
    constexpr int kPollMilliseconds = 10;
    const QDeadlineTimer deadline(waitMilliseconds);
    while (!deadline.hasExpired()) {
        if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) return;
        QThread::msleep(kPollMilliseconds);
    }
}
#endif
}  // namespace

bool QtPlatform::RegistryKeyExists(const std::string& key) {
    const std::unique_ptr<QSettings> settings = OpenKey(key);
    return settings && KeyExists(*settings);
}

std::optional<std::string> QtPlatform::ReadRegistryString(const std::string& key, const std::string& value) {
    const std::unique_ptr<QSettings> settings = OpenKey(key);
    if (!settings) return std::nullopt;
    const QVariant v = settings->value(Q(value));
    if (v.typeId() != QMetaType::QString) return std::nullopt;
    return v.toString().toStdString();
}

bool QtPlatform::FileExists(const std::string& path) { return QFileInfo::exists(Q(path)); }

bool QtPlatform::StartProgram(const std::string& path, int waitMilliseconds) {
    // Detached, so that the control program outlives this one; it gets no command line and
    // none of our open files.
    QProcess process;
    process.setProgram(Q(path));
    process.setArguments({});
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    qint64 pid = 0;
    if (!process.startDetached(&pid)) return false;
    WaitForProcess(pid, waitMilliseconds);
    return true;
}

QString SerialDeviceFor(const QString& portName) {
#ifdef Q_OS_WIN
    return portName;
#else
    const QSettings profile(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Quenk"),
                            QStringLiteral("Quenk"));
    const QString named = profile.value(QStringLiteral("Ports/") + portName).toString();
    if (!named.isEmpty()) return named;
    bool ok = false;
    const int n = portName.startsWith(QLatin1String("COM")) ? portName.mid(3).toInt(&ok) : 0;
    if (ok && n >= 1) return QStringLiteral("/dev/ttyS%1").arg(n - 1);
    return portName;
#endif
}
