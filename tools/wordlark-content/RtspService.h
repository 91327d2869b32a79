#pragma once
// The rtsp:// side of the content server: each audio file in the content
// folder is a programme at its own path, decoded and sent as MPEG audio over
// RTP, interleaved in the RTSP connection or over UDP as the client asks.
// GStreamer's RTSP server runs on a GLib main loop in a thread of its own.
// A path is mounted the first time a client describes it, after the same
// checks as the http:// side; one log line per request.
#include "ContentRoot.h"
#include "RequestLog.h"

#include <QString>
#include <set>
#include <string>
#include <thread>

typedef struct _GMainContext GMainContext;
typedef struct _GMainLoop GMainLoop;
typedef struct _GSource GSource;
typedef struct _GstRTSPServer GstRTSPServer;
typedef struct _GstRTSPAddressPool GstRTSPAddressPool;
typedef struct _GstRTSPClient GstRTSPClient;
typedef struct _GstRTSPContext GstRTSPContext;
typedef struct _GstRTSPMessage GstRTSPMessage;

class RtspService {
public:
    RtspService(const ContentRoot &Root, RequestLog &Log);
    ~RtspService();
    RtspService(const RtspService &) = delete;
    RtspService &operator=(const RtspService &) = delete;

    // Listens on Address:Port (0 picks a free port) and starts serving.
    // Returns the port, or 0 with Error set.
    int Start(const QString &Address, int Port, QString &Error);
    // Serves a connection accepted elsewhere whose first request is RTSP;
    // the descriptor belongs to this service from now on.
    void Adopt(qintptr Descriptor, const QString &PeerAddress, int PeerPort);
    // Closes every connection and ends the thread.
    void Stop();

private:
    static void OnClientConnected(GstRTSPServer *Server, GstRTSPClient *Client, RtspService *Self);
    static int OnPreDescribe(GstRTSPClient *Client, GstRTSPContext *Context, RtspService *Self);
    static void OnSendMessage(GstRTSPClient *Client, GstRTSPContext *Context, GstRTSPMessage *Response,
                              RtspService *Self);
    // Mounts Path's file if it is one the folder may serve; returns the
    // RTSP status to go on with.
    int Mount(GstRTSPContext *Context);

    const ContentRoot &FRoot;
    RequestLog &FLog;
    GMainContext *FContext = nullptr;
    GMainLoop *FLoop = nullptr;
    GstRTSPServer *FServer = nullptr;
    GstRTSPAddressPool *FPorts = nullptr;
    GSource *FListener = nullptr;
    GSource *FSessionWatch = nullptr;
    std::thread FThread;
    std::set<std::string> FMounted; // touched on the service's thread only
};
