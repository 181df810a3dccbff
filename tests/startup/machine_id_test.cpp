#include "startup/machine_id.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {
const QDateTime kWhen(QDate(2011, 3, 20), QTime(14, 5, 9));
int draw457() { return 457; }
AdapterInfo adapter(const QString &mac, bool up = true, bool loopback = false, bool ip = true)
{
    return AdapterInfo{up, loopback, ip, mac};
}
} // namespace

TEST(MachineId, FirstUsableAdapterGivesUpperCaseDashedAddress)
{
    EXPECT_EQ(machineIdFrom({adapter("00:1a:2b:3c:4d:5e")}, kWhen, draw457), "00-1A-2B-3C-4D-5E");
    // Loopback, down and address-less adapters are not "IP-enabled".
    EXPECT_EQ(machineIdFrom({adapter("00:00:00:00:00:00", true, true), adapter("AA:BB:CC:00:00:01", false),
                             adapter("AA:BB:CC:00:00:02", true, false, false), adapter("AA:BB:CC:00:00:03")},
                            kWhen, draw457),
              "AA-BB-CC-00-00-03");
}

TEST(MachineId, RejectedOrMissingAddressFallsBackToDateAndNumber)
{
    EXPECT_EQ(machineIdFrom({adapter("00:53:45:00:00:00"), adapter("AA:BB:CC:DD:EE:FF")}, kWhen, draw457),
              "20113201459457"); // only the first usable adapter is looked at
    EXPECT_EQ(machineIdFrom({adapter("00:00:00:00:00:00")}, kWhen, draw457), "20113201459457");
    EXPECT_EQ(machineIdFrom({adapter("")}, kWhen, draw457), "20113201459457");
    EXPECT_EQ(machineIdFrom({}, kWhen, draw457), "20113201459457");
}

TEST(MachineId, SystemIdentifierIsNeverEmptyAndHasOneOfTheTwoForms)
{
    const QString id = GetMachineId();
    ASSERT_FALSE(id.isEmpty());
    const QRegularExpression mac("^[0-9A-F]{2}(-[0-9A-F]{2}){5}$");
    const QRegularExpression fallback("^\\d{4}\\d{1,2}\\d{1,2}\\d{1,2}\\d{1,2}\\d{1,2}[1-9]\\d\\d$");
    EXPECT_TRUE(mac.match(id).hasMatch() || fallback.match(id).hasMatch()) << id.toStdString();
}

TEST(MachineId, FallbackFieldsAreUnpadded)
{
    EXPECT_EQ(fallbackMachineId(QDateTime(QDate(2020, 1, 1), QTime(0, 0, 0)), 100), "202011000100");
    EXPECT_EQ(fallbackMachineId(QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59)), 999), "20261231235959999");
}
