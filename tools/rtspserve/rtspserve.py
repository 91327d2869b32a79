#!/usr/bin/python3
"""Serves one MP3 file over RTSP on loopback, for the programme control's tests.

Usage: rtspserve.py [--udp-only] FILE
Prints the clip's rtsp:// address on a line of its own once it listens, and
ends when its standard input closes (so it never outlives the test).
"""
import sys

import gi

gi.require_version("Gst", "1.0")
gi.require_version("GstRtsp", "1.0")
gi.require_version("GstRtspServer", "1.0")
from gi.repository import GLib, Gst, GstRtsp, GstRtspServer  # noqa: E402


def main():
    args = sys.argv[1:]
    udp_only = args[:1] == ["--udp-only"]
    if udp_only:
        args = args[1:]
    if len(args) != 1:
        print("usage: rtspserve.py [--udp-only] FILE", file=sys.stderr)
        return 2
    Gst.init(None)
    server = GstRtspServer.RTSPServer()
    server.set_address("127.0.0.1")
    server.set_service("0")
    factory = GstRtspServer.RTSPMediaFactory()
    if udp_only:
        factory.set_protocols(GstRtsp.RTSPLowerTrans.UDP)
    location = args[0].replace("\\", "\\\\").replace('"', '\\"')
    factory.set_launch(f'( filesrc location="{location}" ! mpegaudioparse ! rtpmpapay name=pay0 )')
    server.get_mount_points().add_factory("/clip.mp3", factory)
    if server.attach(None) == 0:
        print("rtspserve: cannot listen", file=sys.stderr)
        return 1
    loop = GLib.MainLoop()
    GLib.io_add_watch(sys.stdin.fileno(), GLib.IO_HUP | GLib.IO_IN | GLib.IO_ERR, lambda *a: loop.quit())
    print(f"rtsp://127.0.0.1:{server.get_bound_port()}/clip.mp3", flush=True)
    loop.run()
    return 0


if __name__ == "__main__":
    sys.exit(main())
