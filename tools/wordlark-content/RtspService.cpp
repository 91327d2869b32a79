#include "RtspService.h"

#include <QUrl>

#include <gio/gio.h>
#include <gst/gst.h>
#include <gst/rtsp-server/rtsp-server.h>
#include <unistd.h>

namespace {

// Any audio GStreamer can read goes out as MPEG audio, which every RTSP
// client knows. The file is set on "file" when the media is made.
// Ports for RTP and RTCP over UDP.
constexpr int UdpPortsFirst = 40000, UdpPortsLast = 59999;

const char *const Pipeline = "( filesrc name=file ! decodebin ! audioconvert ! audioresample ! "
                             "lamemp3enc ! rtpmpapay name=pay0 pt=14 )";

void OnMediaConstructed(GstRTSPMediaFactory *Factory, GstRTSPMedia *Media, gpointer)
{
    const auto *file = static_cast<const char *>(g_object_get_data(G_OBJECT(Factory), "file"));
    GstElement *bin = gst_rtsp_media_get_element(Media);
    if (GstElement *source = gst_bin_get_by_name(GST_BIN(bin), "file")) {
        g_object_set(source, "location", file, nullptr);
        gst_object_unref(source);
    }
    gst_object_unref(bin);
}

GstRTSPFilterResult CloseClient(GstRTSPServer *, GstRTSPClient *Client, gpointer Service)
{
    g_signal_handlers_disconnect_by_data(Client, Service);
    gst_rtsp_client_close(Client);
    return GST_RTSP_FILTER_REMOVE;
}

gboolean CleanSessions(GstRTSPSessionPool *Pool, gpointer)
{
    gst_rtsp_session_pool_cleanup(Pool);
    return TRUE;
}

// Runs Job on the service's thread.
template <typename Job>
void RunOn(GMainContext *Context, Job job)
{
    auto *held = new Job(std::move(job));
    g_main_context_invoke_full(
        Context, G_PRIORITY_DEFAULT,
        [](gpointer data) -> gboolean {
            (*static_cast<Job *>(data))();
            return G_SOURCE_REMOVE;
        },
        held, [](gpointer data) { delete static_cast<Job *>(data); });
}

QString TransportOf(const GstRTSPMessage *Request)
{
    gchar *value = nullptr;
    if (gst_rtsp_message_get_header(const_cast<GstRTSPMessage *>(Request), GST_RTSP_HDR_TRANSPORT, &value, 0) !=
        GST_RTSP_OK)
        return {};
    return QString::fromLatin1(value).contains(QLatin1String("/TCP")) ? QStringLiteral("TCP") : QStringLiteral("UDP");
}

} // namespace

RtspService::RtspService(const ContentRoot &Root, RequestLog &Log) : FRoot(Root), FLog(Log) {}

RtspService::~RtspService()
{
    Stop();
}

int RtspService::Start(const QString &Address, int Port, QString &Error)
{
    gst_init(nullptr, nullptr);
    if (!gst_element_factory_find("lamemp3enc") || !gst_element_factory_find("rtpmpapay")) {
        Error = QStringLiteral("GStreamer's lamemp3enc or rtpmpapay element is missing");
        return 0;
    }
    // RTP over UDP leaves from the address the server listens on, so a
    // loopback server opens nothing beyond loopback.
    FPorts = gst_rtsp_address_pool_new();
    const QByteArray address = Address.toUtf8();
    gst_rtsp_address_pool_add_range(FPorts, address.constData(), address.constData(), UdpPortsFirst, UdpPortsLast, 0);
    FContext = g_main_context_new();
    FLoop = g_main_loop_new(FContext, FALSE);
    FServer = gst_rtsp_server_new();
    gst_rtsp_server_set_address(FServer, Address.toUtf8().constData());
    gst_rtsp_server_set_service(FServer, QByteArray::number(Port).constData());
    g_signal_connect(FServer, "client-connected", G_CALLBACK(OnClientConnected), this);
    // Clients are served on this service's own thread (not in threads of a
    // pool), so that once the thread ends no client calls back.
    GstRTSPThreadPool *threads = gst_rtsp_server_get_thread_pool(FServer);
    gst_rtsp_thread_pool_set_max_threads(threads, 0);
    g_object_unref(threads);

    GError *error = nullptr;
    FListener = gst_rtsp_server_create_source(FServer, nullptr, &error);
    if (!FListener) {
        Error = QString::fromUtf8(error ? error->message : "cannot listen");
        g_clear_error(&error);
        return 0;
    }
    g_source_attach(FListener, FContext);
    GstRTSPSessionPool *pool = gst_rtsp_server_get_session_pool(FServer);
    FSessionWatch = gst_rtsp_session_pool_create_watch(pool);
    g_source_set_callback(FSessionWatch, G_SOURCE_FUNC(CleanSessions), nullptr, nullptr);
    g_source_attach(FSessionWatch, FContext);
    g_object_unref(pool);

    FThread = std::thread([this] {
        g_main_context_push_thread_default(FContext);
        g_main_loop_run(FLoop);
        g_main_context_pop_thread_default(FContext);
    });
    return gst_rtsp_server_get_bound_port(FServer);
}

void RtspService::Adopt(qintptr Descriptor, const QString &PeerAddress, int PeerPort)
{
    GError *error = nullptr;
    GSocket *socket = FThread.joinable() ? g_socket_new_from_fd(int(Descriptor), &error) : nullptr;
    if (!socket) {
        g_clear_error(&error);
        ::close(int(Descriptor));
        return;
    }
    RunOn(FContext, [this, socket, peer = PeerAddress.toUtf8(), PeerPort] {
        gst_rtsp_server_transfer_connection(FServer, socket, peer.constData(), PeerPort, nullptr);
    });
}

void RtspService::Stop()
{
    if (FThread.joinable()) {
        RunOn(FContext, [this] {
            g_source_destroy(FListener);
            g_source_destroy(FSessionWatch);
            gst_rtsp_server_client_filter(FServer, CloseClient, this);
            g_main_loop_quit(FLoop);
        });
        FThread.join();
    }
    g_clear_pointer(&FListener, g_source_unref);
    g_clear_pointer(&FSessionWatch, g_source_unref);
    g_clear_object(&FServer);
    g_clear_object(&FPorts);
    g_clear_pointer(&FLoop, g_main_loop_unref);
    g_clear_pointer(&FContext, g_main_context_unref);
}

void RtspService::OnClientConnected(GstRTSPServer *, GstRTSPClient *Client, RtspService *Self)
{
    g_signal_connect(Client, "pre-describe-request", G_CALLBACK(OnPreDescribe), Self);
    g_signal_connect(Client, "send-message", G_CALLBACK(OnSendMessage), Self);
}

int RtspService::OnPreDescribe(GstRTSPClient *, GstRTSPContext *Context, RtspService *Self)
{
    return Self->Mount(Context);
}

int RtspService::Mount(GstRTSPContext *Context)
{
    if (!Context->uri)
        return GST_RTSP_STS_BAD_REQUEST;
    GstRTSPMountPoints *mounts = gst_rtsp_server_get_mount_points(FServer);
    gchar *key = gst_rtsp_mount_points_make_path(mounts, Context->uri);
    int status = key ? GST_RTSP_STS_OK : GST_RTSP_STS_BAD_REQUEST;
    if (key && !FMounted.count(key)) {
        const ContentRoot::Lookup found =
            FRoot.Resolve(QUrl::fromPercentEncoding(QByteArray(Context->uri->abspath)));
        if (found.Result == ContentRoot::Outcome::Found) {
            GstRTSPMediaFactory *factory = gst_rtsp_media_factory_new();
            gst_rtsp_media_factory_set_launch(factory, Pipeline);
            gst_rtsp_media_factory_set_address_pool(factory, FPorts);
            g_object_set_data_full(G_OBJECT(factory), "file", g_strdup(found.File.toUtf8().constData()), g_free);
            g_signal_connect(factory, "media-constructed", G_CALLBACK(OnMediaConstructed), nullptr);
            gst_rtsp_mount_points_add_factory(mounts, key, factory);
            FMounted.insert(key);
        } else {
            status = found.Result == ContentRoot::Outcome::Refused ? GST_RTSP_STS_FORBIDDEN : GST_RTSP_STS_NOT_FOUND;
        }
    }
    g_free(key);
    g_object_unref(mounts);
    return status;
}

void RtspService::OnSendMessage(GstRTSPClient *Client, GstRTSPContext *Context, GstRTSPMessage *Response,
                                RtspService *Self)
{
    if (!Context || !Context->request || !Response)
        return;
    GstRTSPMethod method = GST_RTSP_INVALID;
    const gchar *uri = nullptr;
    GstRTSPVersion version;
    if (gst_rtsp_message_parse_request(Context->request, &method, &uri, &version) != GST_RTSP_OK)
        return;
    GstRTSPStatusCode code = GST_RTSP_STS_INVALID;
    const gchar *reason = nullptr;
    if (gst_rtsp_message_parse_response(Response, &code, &reason, &version) != GST_RTSP_OK)
        return;
    GstRTSPConnection *connection = gst_rtsp_client_get_connection(Client);
    const QString peer = connection ? QString::fromUtf8(gst_rtsp_connection_get_ip(connection)) : QStringLiteral("?");
    const QString path = Context->uri ? QUrl::fromPercentEncoding(QByteArray(Context->uri->abspath))
                                      : QString::fromUtf8(uri ? uri : "");
    Self->FLog.Write(QStringLiteral("RTSP"), peer, QString::fromLatin1(gst_rtsp_method_as_text(method)), path,
                     int(code), method == GST_RTSP_SETUP ? TransportOf(Context->request) : QString());
}
