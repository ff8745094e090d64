#include "convert/mediaheader.h"

#include <QFile>

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/error.h>
#include <libavutil/log.h>
}

#include <memory>

namespace MediaHeader {

namespace {

QString errorText(int code)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return QString::fromUtf8(text);
}

struct CloseInput {
    void operator()(AVFormatContext* context) const { avformat_close_input(&context); }
};

} // namespace

Facts read(const QString& path)
{
    // The library's own messages would land on the batch mode's standard error.
    static const bool quiet = [] {
        av_log_set_level(AV_LOG_QUIET);
        return true;
    }();
    Q_UNUSED(quiet)

    Facts facts;
    AVFormatContext* opened = nullptr;
    int result = avformat_open_input(&opened, QFile::encodeName(path).constData(), nullptr, nullptr);
    if (result < 0) {
        facts.error = errorText(result);
        return facts;
    }
    const std::unique_ptr<AVFormatContext, CloseInput> context(opened);
    // As FFmpeg does, a file whose streams are not all fully known still counts with those it has.
    result = avformat_find_stream_info(context.get(), nullptr);
    if (result < 0 && context->nb_streams == 0) {
        facts.error = errorText(result);
        return facts;
    }
    for (unsigned i = 0; i < context->nb_streams; ++i) {
        const AVCodecParameters* stream = context->streams[i]->codecpar;
        if (stream->codec_type == AVMEDIA_TYPE_VIDEO && !facts.video) {
            facts.video = true;
            facts.frameSize = QStringLiteral("%1x%2").arg(stream->width).arg(stream->height);
            const AVRational rate = context->streams[i]->avg_frame_rate;
            facts.frameRate = rate.den > 0 ? av_q2d(rate) : 0;
        }
        if (stream->codec_type == AVMEDIA_TYPE_AUDIO && !facts.audio) {
            facts.audio = true;
            facts.audioChannels = stream->ch_layout.nb_channels;
        }
    }
    if (context->duration != AV_NOPTS_VALUE && context->duration >= 0)
        facts.durationMs = (context->duration + 500) / 1000;
    facts.durationEstimated = context->duration_estimation_method == AVFMT_DURATION_FROM_BITRATE;
    return facts;
}

} // namespace MediaHeader
