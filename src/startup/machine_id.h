#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

#include <functional>

// One network adapter as the identifier sees it.
struct AdapterInfo {
    bool up = false;
    bool loopback = false;
    bool hasIpAddress = false;
    QString hardwareAddress; // as the system reports it, "aa:bb:..." or "AA:BB:..."
};

// The machine identifier sent to the statistics page: the hardware address of the first
// adapter that is up, not loopback and has an IP address, upper-case with "-" separators;
// otherwise (none, or a rejected address) the date-and-random form, e.g. 20113201459457.
QString GetMachineId();

// The same decision over a given adapter list, clock and draw (100 to 999).
QString machineIdFrom(const QList<AdapterInfo> &adapters, const QDateTime &now,
                      const std::function<int()> &draw100To999);

// The date-and-random form alone.
QString fallbackMachineId(const QDateTime &now, int n);
