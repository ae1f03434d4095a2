// The QSettings store behind the settings model: values, groups and the ROM file list survive
// a round trip through a real settings file.
#include <QTemporaryDir>
#include <QTest>
#include <fstream>

#include "persist/settings.h"
#include "app/ui/qt_settings_store.h"
#include "base/options.h"

using namespace tarvolin;

class SettingsStoreTest : public QObject {
    Q_OBJECT
private slots:
    void ValuesAndGroupsRoundTrip();
    void SettingsModelKeepsOptionsAndROMFilesBetweenRuns();
    void LiveSoundOptionsSurviveARestart();
    void EveryOptionSurvivesARestart();
};

void SettingsStoreTest::ValuesAndGroupsRoundTrip() {
    QTemporaryDir dir;
    const QString ini = dir.filePath("tarvolin.ini");
    {
        TQtSettingsStore s(ini);
        QVERIFY(!s.Read("", "UseLFSRAddressing"));
        s.Write("", "UseLFSRAddressing", "1");
        s.Write("ROMs", "MH06", "/roms/mh-06.bin");
        s.Write("ROMs", "AC01", "/roms/ac-01.bin");
        s.Write("ROMs", "odd/name", "/x"); // a slash must not open a sub-group
        QVERIFY(s.Flush());
    }
    TQtSettingsStore s(ini);
    QCOMPARE(QString::fromStdString(*s.Read("", "UseLFSRAddressing")), QString("1"));
    QVERIFY(s.GroupExists("ROMs"));
    std::vector<std::string> names = s.Names("ROMs");
    std::sort(names.begin(), names.end());
    QCOMPARE(names, (std::vector<std::string>{"AC01", "MH06", "odd_name"}));
    // Top-level names do not include the group's values.
    QCOMPARE(s.Names(""), std::vector<std::string>{"UseLFSRAddressing"});
    s.Remove("ROMs", "AC01");
    QVERIFY(!s.Read("ROMs", "AC01"));
    s.RemoveGroup("ROMs");
    QVERIFY(!s.GroupExists("ROMs"));
    s.RemoveGroup(""); // never wipes the whole store
    QVERIFY(s.Read("", "UseLFSRAddressing").has_value());
}

void SettingsStoreTest::SettingsModelKeepsOptionsAndROMFilesBetweenRuns() {
    QTemporaryDir dir;
    const QString ini = dir.filePath("tarvolin.ini");
    const std::string rom = dir.filePath("game.rom").toStdString();
    std::ofstream(rom) << "x";
    Options() = TOptions{};
    {
        TQtSettingsStore store(ini);
        TSettings settings(store);
        Options().UseMAMEKeyMapping = true;
        Options().InstructionMnemonics = 2;
        QVERIFY(settings.SetROMFile("MH06", rom));
        QVERIFY(settings.SetROMFile("AC01", dir.filePath("gone.rom").toStdString()));
    }
    Options() = TOptions{};
    TQtSettingsStore store(ini);
    TSettings settings(store);
    settings.LoadSettings();
    QVERIFY(Options().UseMAMEKeyMapping);
    QCOMPARE(Options().InstructionMnemonics, 2);
    QCOMPARE(settings.ROMFile("MH06"), rom);
    // A file that no longer exists is dropped at start, and the store is rewritten.
    QCOMPARE(settings.ROMFile("AC01"), std::string());
    QVERIFY(!store.Read("ROMs", "AC01"));
    Options() = TOptions{};
}

void SettingsStoreTest::LiveSoundOptionsSurviveARestart() {
    // Each case is saved by one run and read by the next, through a settings file.
    struct TCase {
        bool On;
        int Volume;
        bool MuteAtFullSpeed, MuteWhenMinimised;
        int VolumeRead;
    } cases[] = {
        {false, 0, false, false, 0},
        {true, 100, true, false, 100},
        {true, 35, false, true, 35},
        {true, 250, true, true, 100}, // kept within 0..100 when written
    };
    for (const TCase& c : cases) {
        QTemporaryDir dir;
        const QString ini = dir.filePath("tarvolin.ini");
        Options() = TOptions{};
        {
            TQtSettingsStore store(ini);
            TSettings settings(store);
            Options().LiveSound = c.On;
            Options().LiveSoundVolume = c.Volume;
            Options().MuteLiveSoundAtFullSpeed = c.MuteAtFullSpeed;
            Options().MuteLiveSoundWhenMinimised = c.MuteWhenMinimised;
            QVERIFY(settings.SaveSettings());
        }
        Options() = TOptions{};
        TQtSettingsStore store(ini);
        TSettings(store).LoadSettings();
        QCOMPARE(Options().LiveSound, c.On);
        QCOMPARE(Options().LiveSoundVolume, c.VolumeRead);
        QCOMPARE(Options().MuteLiveSoundAtFullSpeed, c.MuteAtFullSpeed);
        QCOMPARE(Options().MuteLiveSoundWhenMinimised, c.MuteWhenMinimised);
    }
    // A hand-edited volume outside 0..100 is brought inside; text that is no number keeps the default.
    for (auto [text, volume] : {std::pair{"-7", 0}, {"999", 100}, {"loud", 50}}) {
        QTemporaryDir dir;
        const QString ini = dir.filePath("tarvolin.ini");
        {
            TQtSettingsStore store(ini);
            store.Write("", "LiveSoundVolume", text);
            QVERIFY(store.Flush());
        }
        Options() = TOptions{};
        TQtSettingsStore store(ini);
        TSettings(store).LoadSettings();
        QCOMPARE(Options().LiveSoundVolume, volume);
    }
    Options() = TOptions{};
}

// Every option written by one run is what the next run reads from the settings file: once
// with every value away from its default, once back at the defaults.
void SettingsStoreTest::EveryOptionSurvivesARestart() {
    QTemporaryDir dir;
    const QString ini = dir.filePath("tarvolin.ini");
    TOptions changed;
    changed.UseBankPageStepAddressNotation = true;
    changed.UseLFSRAddressing = true;
    changed.AppendDisAsmComments = false;
    changed.InstructionMnemonics = 2;
    changed.UseMAMEKeyMapping = true;
    changed.DerivatedSoundWave = true;
    changed.ROMArchiveServer = "https://roms.example/archive/";
    changed.UpdateServer = "https://updates.example/";
    changed.ContactAddress = "authors@example.org";
    changed.IgnoreCertificateErrors = true;
    changed.LiveSound = false;
    changed.LiveSoundVolume = 35;
    changed.MuteLiveSoundAtFullSpeed = false;
    changed.MuteLiveSoundWhenMinimised = false;
    changed.KeepHistory = false;
    changed.HistoryLimitMB = 512;
    changed.TrackCoverage = false;
    TOptions mnemonicsOne = changed;
    mnemonicsOne.InstructionMnemonics = 1;
    for (const TOptions& Written : {changed, mnemonicsOne, TOptions{}}) {
        {
            TQtSettingsStore store(ini);
            TSettings settings(store);
            Options() = Written;
            Options().HighContrast = true; // only ever read, never written
            QVERIFY(settings.SaveSettings());
        }
        Options() = Written.UseMAMEKeyMapping ? TOptions{} : changed; // the opposite of what was written
        TQtSettingsStore store(ini);
        TSettings settings(store);
        settings.LoadSettings();
        const TOptions& o = Options();
        QCOMPARE(o.UseBankPageStepAddressNotation, Written.UseBankPageStepAddressNotation);
        QCOMPARE(o.UseLFSRAddressing, Written.UseLFSRAddressing);
        QCOMPARE(o.AppendDisAsmComments, Written.AppendDisAsmComments);
        QCOMPARE(o.InstructionMnemonics, Written.InstructionMnemonics);
        QCOMPARE(o.UseMAMEKeyMapping, Written.UseMAMEKeyMapping);
        QCOMPARE(o.DerivatedSoundWave, Written.DerivatedSoundWave);
        QCOMPARE(o.ROMArchiveServer, Written.ROMArchiveServer);
        QCOMPARE(o.UpdateServer, Written.UpdateServer);
        QCOMPARE(o.ContactAddress, Written.ContactAddress);
        QCOMPARE(o.IgnoreCertificateErrors, Written.IgnoreCertificateErrors);
        QCOMPARE(o.LiveSound, Written.LiveSound);
        QCOMPARE(o.LiveSoundVolume, Written.LiveSoundVolume);
        QCOMPARE(o.MuteLiveSoundAtFullSpeed, Written.MuteLiveSoundAtFullSpeed);
        QCOMPARE(o.MuteLiveSoundWhenMinimised, Written.MuteLiveSoundWhenMinimised);
        QCOMPARE(o.KeepHistory, Written.KeepHistory);
        QCOMPARE(o.HistoryLimitMB, Written.HistoryLimitMB);
        QCOMPARE(o.TrackCoverage, Written.TrackCoverage);
        QVERIFY(!store.Read("", "HighContrast"));
    }
    Options() = TOptions{};
}

QTEST_MAIN(SettingsStoreTest)
#include "settings_store_test.moc"
