#include "sound/GstPlayback.h"

#include <gst/gst.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>

namespace rotenu::sound {
namespace {

// How long the server may take to answer before a sound counts as failed, so that the caller's
// beep does not come late. A server that answers does so in milliseconds; a stopped one holds the
// connection until the client library gives up after 30 s. Once it has answered, what is left is
// this machine's own work (loading the decoders, starting the stream), which a busy machine may
// take seconds over: a sound that then starts late is still the sound, not a failure.
constexpr GstClockTime kAnswerDeadline = 2 * GST_SECOND;
constexpr GstClockTime kStartDeadline = 10 * GST_SECOND;
constexpr GstClockTime kWantedPollInterval = 50 * GST_MSECOND;

const char* PipelineFor(SoundFileKind kind) {
    // wavparse first, so that only a wave file plays as the alarm; decodebin then picks the decoder
    // of the encoding inside (ADPCM, µ-law, A-law, GSM 6.10...), raw samples pass straight through.
    // The bytes come as a stream: reading a file itself (GStreamer 1.22), wavparse refuses a data
    // chunk of odd length followed by its pad byte, as a mono 8- or 24-bit file of an odd number
    // of samples has. The queue parses and decodes on a thread of its own, as before the bytes came
    // from memory; without it the alarm's onset came a few milliseconds later.
    return kind == SoundFileKind::Wave
               ? "appsrc name=file format=bytes stream-type=stream ! queue ! wavparse ! decodebin ! "
                 "audioconvert ! audioresample ! pulsesink name=out"
               : "appsrc name=file format=bytes stream-type=stream ! decodebin ! "
                 "audioconvert ! audioresample ! pulsesink name=out";
}

// Hands the file's bytes to the pipeline when it first asks, then ends the stream.
void GiveBytes(GstElement* source, guint, gpointer) {
    GstFlowReturn flow = GST_FLOW_OK;
    if (GstBuffer* bytes = static_cast<GstBuffer*>(g_object_get_data(G_OBJECT(source), "rotenu-bytes"))) {
        g_signal_emit_by_name(source, "push-buffer", bytes, &flow);
        g_object_set_data(G_OBJECT(source), "rotenu-bytes", nullptr);
    }
    g_signal_emit_by_name(source, "end-of-stream", &flow);
}

void SetUpSource(GstElement* pipeline, std::string_view bytes) {
    GstElement* source = gst_bin_get_by_name(GST_BIN(pipeline), "file");
    g_object_set(source, "size", gint64(bytes.size()), nullptr);
    if (!bytes.empty())
        g_object_set_data_full(G_OBJECT(source), "rotenu-bytes",
                               gst_buffer_new_memdup(bytes.data(), bytes.size()),
                               reinterpret_cast<GDestroyNotify>(gst_buffer_unref));
    g_signal_connect(source, "need-data", G_CALLBACK(GiveBytes), nullptr);
    gst_object_unref(source);
}

GstPadProbeReturn NoteFirstSamples(GstPad*, GstPadProbeInfo*, gpointer arrived) {
    static_cast<std::atomic<bool>*>(arrived)->store(true);
    return GST_PAD_PROBE_REMOVE;
}

void SetUpOutput(GstElement* pipeline, std::atomic<bool>& samplesArrived) {
    GstElement* out = gst_bin_get_by_name(GST_BIN(pipeline), "out");
    // pulsesink shares one connection among all sinks of a client name, even one that the server
    // has dropped, as long as any sink still holds it: a name of its own gives each sound a fresh
    // connection, so that a server that started late or restarted is used. The mixer shows the
    // stream by its application name.
    static std::atomic<unsigned> sounds{0};
    const std::string clientName = "rotenu #" + std::to_string(++sounds);
    // An event sound to the server: it is neither corked nor ducked like music.
    GstStructure* properties = gst_structure_new("properties", "media.role", G_TYPE_STRING, "event",
                                                 "application.name", G_TYPE_STRING, "rotenu", nullptr);
    g_object_set(out, "client-name", clientName.c_str(), "stream-properties", properties, nullptr);
    gst_structure_free(properties);
    GstPad* pad = gst_element_get_static_pad(out, "sink");
    gst_pad_add_probe(pad, GST_PAD_PROBE_TYPE_BUFFER, NoteFirstSamples, &samplesArrived, nullptr);
    gst_object_unref(pad);
    gst_object_unref(out);
}

} // namespace

void PlayToEnd(std::string_view bytes, SoundFileKind kind, const std::function<void(bool playing)>& outcome,
               const std::function<bool()>& wanted) {
    GError* error = nullptr;
    GstElement* pipeline =
        gst_parse_launch_full(PipelineFor(kind), nullptr, GST_PARSE_FLAG_FATAL_ERRORS, &error);
    g_clear_error(&error);
    if (!pipeline) {
        outcome(false);
        return;
    }
    SetUpSource(pipeline, bytes);
    std::atomic<bool> samplesArrived{false};
    SetUpOutput(pipeline, samplesArrived);

    bool told = false;
    const auto tell = [&](bool playing) {
        if (!told)
            outcome(playing);
        told = true;
    };
    GstBus* bus = gst_element_get_bus(pipeline);
    // The sink connects to the server as it gets ready, and waits for the server; on a thread of
    // its own, so that this one can give up on a server that does not answer.
    std::atomic<bool> answered{false};
    std::thread starter([pipeline, &answered] {
        if (gst_element_set_state(pipeline, GST_STATE_READY) == GST_STATE_CHANGE_FAILURE)
            return; // and an error message tells why
        answered = true;
        gst_element_set_state(pipeline, GST_STATE_PLAYING);
    });
    const GstClockTime started = gst_util_get_timestamp();
    const auto watched = GstMessageType(GST_MESSAGE_ERROR | GST_MESSAGE_EOS | GST_MESSAGE_STATE_CHANGED);
    for (bool ended = false; !ended;) {
        GstClockTime wait = kWantedPollInterval;
        if (told && !wanted())
            break;
        if (!told) {
            const GstClockTime now = gst_util_get_timestamp();
            const GstClockTime deadline = started + (answered ? kStartDeadline : kAnswerDeadline);
            if (now >= deadline) {
                tell(false);
                break;
            }
            // Looked at again soon: the server's answer sets `answered` after the message that
            // woke this loop, and no message of its own follows it.
            wait = std::min(deadline - now, kWantedPollInterval);
        }
        GstMessage* message = gst_bus_timed_pop_filtered(bus, wait, watched);
        if (!message)
            continue;
        switch (GST_MESSAGE_TYPE(message)) {
        case GST_MESSAGE_STATE_CHANGED:
            if (GST_MESSAGE_SRC(message) == GST_OBJECT(pipeline)) {
                GstState state = GST_STATE_NULL;
                gst_message_parse_state_changed(message, nullptr, &state, nullptr);
                if (state == GST_STATE_PLAYING && samplesArrived)
                    tell(true);
            }
            break;
        case GST_MESSAGE_EOS:
            // A file with no samples at all has played nothing.
            tell(samplesArrived);
            ended = true;
            break;
        default:
            tell(false);
            ended = true;
            break;
        }
        gst_message_unref(message);
    }
    starter.join();
    gst_element_set_state(pipeline, GST_STATE_NULL);
    gst_object_unref(bus);
    gst_object_unref(pipeline);
}

} // namespace rotenu::sound
