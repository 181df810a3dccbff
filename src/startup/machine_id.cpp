#include "startup/machine_id.h"

#include <QNetworkInterface>
#include <QRandomGenerator>

namespace {

QList<AdapterInfo> systemAdapters()
{
    QList<AdapterInfo> adapters;
    for (const QNetworkInterface &iface : QNetworkInterface::allInterfaces()) {
        const auto flags = iface.flags();
        adapters.append(AdapterInfo{flags.testFlag(QNetworkInterface::IsUp),
                                    flags.testFlag(QNetworkInterface::IsLoopBack),
                                    !iface.addressEntries().isEmpty(), iface.hardwareAddress()});
    }
    return adapters;
}

bool rejected(const QString &address)
{
    return address.isEmpty() || address.contains("00-00-00-00-00-00") || address.contains("00-53-45-00-00-00");
}

} // namespace

QString fallbackMachineId(const QDateTime &now, int n)
{
    const QDate d = now.date();
    const QTime t = now.time();
    QString id;
    for (int part : {d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second(), n})
        id += QString::number(part);
    return id;
}

QString machineIdFrom(const QList<AdapterInfo> &adapters, const QDateTime &now,
                      const std::function<int()> &draw100To999)
{
    QString address;
    for (const AdapterInfo &adapter : adapters) {
        if (adapter.up && !adapter.loopback && adapter.hasIpAddress) {
            address = adapter.hardwareAddress.toUpper().replace(':', '-');
            break; // only the first such adapter counts
        }
    }
    if (!rejected(address))
        return address;
    return fallbackMachineId(now, draw100To999());
}

QString GetMachineId()
{
    return machineIdFrom(systemAdapters(), QDateTime::currentDateTime(),
                         [] { return static_cast<int>(QRandomGenerator::global()->bounded(100, 1000)); });
}
