// Every preset of the shipped catalogue, converted through the engine's own command assembly and
// conversion runner with the installed FFmpeg, and the output checked with ffprobe.

#include "convert/conversionthread.h"
#include "convert/ffmpegtext.h"
#include "ffmpegsupport.h"
#include "testsupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QtTest>

#include <memory>

namespace {

struct Preset {
    QString name; // "Format / label" of the first preset with these arguments
    QString args;
    QString extension;
    QString output;
    bool converted = false;
    QString error;
};

// The codec each encoder writes, as ffprobe names it.
const QHash<QString, QString> codecOfEncoder = {
    {"libx264", "h264"}, {"libx265", "hevc"}, {"libsvtav1", "av1"}, {"libvpx-vp9", "vp9"},
    {"mpeg4", "mpeg4"}, {"wmv2", "wmv2"}, {"flv", "flv1"}, {"mpeg2video", "mpeg2video"}, {"gif", "gif"},
    {"aac", "aac"}, {"libmp3lame", "mp3"}, {"libvorbis", "vorbis"}, {"libopus", "opus"}, {"wmav2", "wmav2"},
    {"mp2", "mp2"}, {"flac", "flac"}, {"pcm_s16le", "pcm_s16le"}, {"pcm_s24le", "pcm_s24le"}, {"ac3", "ac3"},
};

const QHash<QString, QString> containerOfExtension = {
    {"mp4", "mov,mp4,m4a,3gp,3g2,mj2"}, {"m4v", "mov,mp4,m4a,3gp,3g2,mj2"}, {"mov", "mov,mp4,m4a,3gp,3g2,mj2"},
    {"m4a", "mov,mp4,m4a,3gp,3g2,mj2"}, {"m4b", "mov,mp4,m4a,3gp,3g2,mj2"}, {"m4r", "mov,mp4,m4a,3gp,3g2,mj2"},
    {"3gp", "mov,mp4,m4a,3gp,3g2,mj2"}, {"mkv", "matroska,webm"}, {"webm", "matroska,webm"}, {"avi", "avi"},
    {"wmv", "asf"}, {"wma", "asf"}, {"flv", "flv"}, {"swf", "swf"}, {"mpg", "mpeg"}, {"gif", "gif"},
    {"mp3", "mp3"}, {"aac", "aac"}, {"ogg", "ogg"}, {"opus", "ogg"}, {"flac", "flac"}, {"wav", "wav"},
};

QString valueAfter(const QStringList& tokens, const QStringList& options)
{
    for (qsizetype i = 0; i + 1 < tokens.size(); ++i)
        if (options.contains(tokens.at(i)))
            return tokens.at(i + 1);
    return {};
}

// The encoders a preset names; -target writes MPEG-2 video and AC-3 sound.
QStringList encodersOf(const QStringList& tokens)
{
    QStringList encoders;
    if (tokens.contains("-target"))
        encoders << "mpeg2video" << "ac3";
    for (const QString& encoder : {valueAfter(tokens, {"-c:v", "-vcodec"}), valueAfter(tokens, {"-c:a", "-acodec"})})
        if (!encoder.isEmpty())
            encoders << encoder;
    return encoders;
}

QStringList installedEncoders()
{
    QProcess ffmpeg;
    ffmpeg.start("ffmpeg", {"-hide_banner", "-encoders"});
    ffmpeg.waitForFinished(30000);
    QStringList names;
    for (const QString& line : QString::fromUtf8(ffmpeg.readAllStandardOutput()).split('\n')) {
        const QStringList fields = line.simplified().split(' ');
        if (fields.size() > 1 && fields.at(0).size() == 6)
            names << fields.at(1);
    }
    return names;
}

QJsonObject probe(const QString& path)
{
    QProcess ffprobe;
    ffprobe.start("ffprobe", {"-v", "error", "-show_entries",
                              "format=format_name,duration:stream=codec_type,codec_name,width,height",
                              "-of", "json", path});
    ffprobe.waitForFinished(30000);
    return QJsonDocument::fromJson(ffprobe.readAllStandardOutput()).object();
}

bool decodes(const QString& path)
{
    QProcess decoder;
    decoder.start("ffmpeg", {"-hide_banner", "-v", "error", "-i", path, "-f", "null", "-"});
    return decoder.waitForFinished(120000) && decoder.exitStatus() == QProcess::NormalExit && decoder.exitCode() == 0;
}

} // namespace

class TestPresets : public QObject {
    Q_OBJECT

    std::unique_ptr<IsolatedHome> home;
    QTemporaryDir out;
    QList<Preset> presets;
    QStringList missingEncoders;

    static constexpr auto videoSource = "wide.mp4"; // 2 s, 640x360, with sound
    static constexpr auto soundSource = "audio.mp3"; // 3 s

    static QString sourceFor(const Preset& preset)
    {
        return testMedia(preset.args.startsWith("-vn") ? soundSource : videoSource);
    }

    // Converts every preset, two at a time, as the queue would: assembled for the source's shape
    // and run by the conversion runner.
    void convertAll()
    {
        qsizetype next = 0;
        int running = 0;
        std::vector<std::unique_ptr<ConversionThread>> workers;
        std::function<void(ConversionThread*)> startNext = [&](ConversionThread* worker) {
            if (next >= presets.size())
                return;
            const qsizetype index = next++;
            Preset& preset = presets[index];
            const bool sound = preset.args.startsWith("-vn");
            preset.output = out.filePath(QString("preset-%1").arg(index));
            QObject::disconnect(worker, &ConversionThread::conversionComplete, nullptr, nullptr);
            connect(worker, &ConversionThread::conversionComplete, this,
                    [&, worker, index](bool quitOk, const QString& finalOutput, const QString& errorMsg) {
                        presets[index].converted = quitOk;
                        presets[index].output = finalOutput;
                        presets[index].error = errorMsg;
                        --running;
                        worker->wait();
                        startNext(worker);
                    });
            worker->setJob(sourceFor(preset), FfmpegText::assembleArguments(preset.args, sound ? "" : "640x360"),
                           preset.output, preset.extension);
            ++running;
            worker->start();
        };
        for (int i = 0; i < 2; ++i) {
            workers.push_back(std::make_unique<ConversionThread>());
            startNext(workers.back().get());
        }
        QVERIFY(QTest::qWaitFor([&] { return running == 0 && next >= presets.size(); }, 20 * 60 * 1000));
    }

private slots:
    void initTestCase()
    {
        home = startedHome();
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "presets");
            db.setDatabaseName(HALVORN_TEST_CATALOGUE);
            QVERIFY(db.open());
            QSqlQuery query("SELECT f.label, o.label, o.ffmpeg_args, o.extension FROM tbl_OutputCategories o "
                            "JOIN tbl_FormatCategories f ON f.id = o.format ORDER BY o.id", db);
            QSet<QString> seen;
            while (query.next()) {
                const QString args = query.value(2).toString();
                const QString extension = query.value(3).toString();
                if (seen.contains(args + '|' + extension))
                    continue;
                seen.insert(args + '|' + extension);
                presets.append({query.value(0).toString() + " / " + query.value(1).toString(), args, extension, {}, false, {}});
            }
        }
        QSqlDatabase::removeDatabase("presets");
        QVERIFY(presets.size() > 20);

        const QStringList installed = installedEncoders();
        for (const Preset& preset : presets)
            for (const QString& encoder : encodersOf(preset.args.split(' ')))
                if (!installed.contains(encoder))
                    missingEncoders << QString("%1 names the encoder %2, which this FFmpeg lacks").arg(preset.name, encoder);
        QVERIFY2(missingEncoders.isEmpty(), qPrintable(missingEncoders.join('\n')));
        convertAll();
    }

    void everyPresetMakesAPlayableFile_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < presets.size(); ++i)
            QTest::newRow(qPrintable(presets.at(i).name + " (" + presets.at(i).extension + ")")) << i;
    }
    void everyPresetMakesAPlayableFile()
    {
        QFETCH(int, index);
        const Preset& preset = presets.at(index);
        QVERIFY2(preset.converted, qPrintable("FFmpeg failed: " + preset.error + "\narguments: " + preset.args));
        QVERIFY(preset.output.endsWith("." + preset.extension));
        QVERIFY2(decodes(preset.output), "the output does not decode");

        const QStringList tokens = preset.args.split(' ');
        const QJsonObject facts = probe(preset.output);
        QCOMPARE(facts["format"].toObject()["format_name"].toString(), containerOfExtension.value(preset.extension));

        QJsonObject video, audio;
        for (const QJsonValue stream : facts["streams"].toArray()) {
            if (stream["codec_type"] == "video")
                video = stream.toObject();
            else if (stream["codec_type"] == "audio")
                audio = stream.toObject();
        }
        const QString videoEncoder = tokens.contains("-target") ? "mpeg2video" : valueAfter(tokens, {"-c:v"});
        const QString audioEncoder = tokens.contains("-target") ? "ac3" : valueAfter(tokens, {"-c:a"});
        if (preset.args.startsWith("-vn")) {
            QVERIFY2(video.isEmpty(), "a sound preset writes no picture");
        } else {
            const QString expected = preset.extension == "gif" ? "gif" : codecOfEncoder.value(videoEncoder);
            QCOMPARE(video["codec_name"].toString(), expected);
            const int width = video["width"].toInt();
            const int height = video["height"].toInt();
            QSize box(tokens.value(1).section('x', 0, 0).toInt(), tokens.value(1).section('x', 1, 1).toInt());
            if (tokens.contains("-target"))
                box = preset.args.contains("pal-dvd") ? QSize(720, 576) : QSize(720, 480);
            // A size to fit in leaves the picture as the source's, where the bits allow.
            if (tokens.contains("-fit-size")) {
                box = QSize(640, 360);
                QVERIFY(double(QFileInfo(preset.output).size()) <= tokens.value(1).toDouble() * 1e6);
            }
            QVERIFY2(width > 0 && height > 0 && width <= box.width() && height <= box.height(),
                     qPrintable(QString("%1x%2 in a %3x%4 box").arg(width).arg(height).arg(box.width()).arg(box.height())));
            QVERIFY2(width % 2 == 0 && height % 2 == 0, qPrintable(QString("%1x%2").arg(width).arg(height)));
            if (!tokens.contains("-target"))
                QVERIFY2(width == box.width() || height == box.height(), "the picture fills its box one way");
        }
        if (tokens.contains("-an"))
            QVERIFY(audio.isEmpty());
        else
            QCOMPARE(audio["codec_name"].toString(), codecOfEncoder.value(audioEncoder));

        const double expectedSeconds = preset.args.startsWith("-vn") ? 3.0 : 2.0;
        // The runner has made sure the output is not short; too long is a wrong rate. (A Flash file
        // states no duration.)
        const double seconds = facts["format"].toObject()["duration"].toString().toDouble();
        QVERIFY2(seconds == 0 || seconds < expectedSeconds + 0.6, qPrintable(QString("lasts %1 s").arg(seconds)));
    }
};

QTEST_GUILESS_MAIN(TestPresets)
#include "tst_presets.moc"
