/* A minimal XDND source, as a Linux file manager is one: drops the files
   given as file:// URIs at a point of the X screen.
   usage: xdndsrc X Y URI... */
#include <X11/Xlib.h>
#include <X11/Xatom.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/select.h>

static Display *dpy;
static Atom XdndAware, XdndEnter, XdndPosition, XdndStatus, XdndDrop, XdndFinished, XdndSelection,
            XdndActionCopy, uri_list;

/* The topmost window at the point that declares itself an XDND target. */
static Window target_at(int x, int y)
{
    Window root = DefaultRootWindow(dpy), w = root, child, found = None;
    int wx, wy;
    for (;;)
    {
        Atom type; int format; unsigned long n, left; unsigned char *data = NULL;
        if (w != root && XGetWindowProperty(dpy, w, XdndAware, 0, 1, False, AnyPropertyType, &type, &format,
                                            &n, &left, &data) == Success && type != None)
            found = w;
        if (data) XFree(data);
        if (!XTranslateCoordinates(dpy, root, w, x, y, &wx, &wy, &child) || child == None) break;
        w = child;
    }
    return found;
}

static void send(Window target, Atom type, long l1, long l2, long l3, long l4, Window source)
{
    XEvent e;
    memset(&e, 0, sizeof(e));
    e.xclient.type = ClientMessage;
    e.xclient.window = target;
    e.xclient.message_type = type;
    e.xclient.format = 32;
    e.xclient.data.l[0] = source;
    e.xclient.data.l[1] = l1;
    e.xclient.data.l[2] = l2;
    e.xclient.data.l[3] = l3;
    e.xclient.data.l[4] = l4;
    XSendEvent(dpy, target, False, NoEventMask, &e);
    XFlush(dpy);
}

/* Handles events until a client message of the type arrives (or 10 s pass):
   serves the selection meanwhile. Returns its data.l[1], or -1. */
static long wait_for(Atom type, const char *list)
{
    int fd = ConnectionNumber(dpy);
    for (int ticks = 0; ticks < 100;)
    {
        if (!XPending(dpy))
        {
            fd_set set; struct timeval tv = {0, 100000};
            FD_ZERO(&set); FD_SET(fd, &set);
            if (select(fd + 1, &set, NULL, NULL, &tv) == 0) ticks++;
            continue;
        }
        XEvent e;
        XNextEvent(dpy, &e);
        if (e.type == SelectionRequest)
        {
            XSelectionRequestEvent *r = &e.xselectionrequest;
            XEvent reply;
            memset(&reply, 0, sizeof(reply));
            reply.xselection.type = SelectionNotify;
            reply.xselection.requestor = r->requestor;
            reply.xselection.selection = r->selection;
            reply.xselection.target = r->target;
            reply.xselection.time = r->time;
            reply.xselection.property = None;
            if (r->target == uri_list)
            {
                XChangeProperty(dpy, r->requestor, r->property, uri_list, 8, PropModeReplace,
                                (const unsigned char *)list, strlen(list));
                reply.xselection.property = r->property;
            }
            fprintf(stderr, "xdndsrc: selection asked as %s\n", XGetAtomName(dpy, r->target));
            XSendEvent(dpy, r->requestor, False, NoEventMask, &reply);
            XFlush(dpy);
        }
        else if (e.type == ClientMessage && e.xclient.message_type == type)
            return e.xclient.data.l[1];
    }
    return -1;
}

int main(int argc, char **argv)
{
    if (argc < 4) { fprintf(stderr, "usage: xdndsrc X Y URI...\n"); return 2; }
    if (!(dpy = XOpenDisplay(NULL))) { fprintf(stderr, "xdndsrc: no display\n"); return 2; }
    int x = atoi(argv[1]), y = atoi(argv[2]);
    char list[8192] = "";
    for (int i = 3; i < argc; i++) { strcat(list, argv[i]); strcat(list, "\r\n"); }
#define ATOM(name) name = XInternAtom(dpy, #name, False)
    ATOM(XdndAware); ATOM(XdndEnter); ATOM(XdndPosition); ATOM(XdndStatus); ATOM(XdndDrop);
    ATOM(XdndFinished); ATOM(XdndSelection); ATOM(XdndActionCopy);
    uri_list = XInternAtom(dpy, "text/uri-list", False);

    Window source = XCreateSimpleWindow(dpy, DefaultRootWindow(dpy), 0, 0, 1, 1, 0, 0, 0);
    XSetSelectionOwner(dpy, XdndSelection, source, CurrentTime);
    Window target = target_at(x, y);
    if (!target) { fprintf(stderr, "xdndsrc: no XDND target at %d,%d\n", x, y); return 1; }
    fprintf(stderr, "xdndsrc: target 0x%lx at %d,%d\n", target, x, y);
    send(target, XdndEnter, 5L << 24, uri_list, None, None, source);
    send(target, XdndPosition, 0, (x << 16) | y, CurrentTime, XdndActionCopy, source);
    long accepted = wait_for(XdndStatus, list);
    fprintf(stderr, "xdndsrc: %s\n", accepted < 0 ? "no XdndStatus within 10 s" : accepted & 1 ? "target accepts" : "target refuses");
    if (accepted < 0 || !(accepted & 1)) return 1;
    send(target, XdndDrop, 0, CurrentTime, 0, 0, source);
    long finished = wait_for(XdndFinished, list);
    fprintf(stderr, "xdndsrc: %s\n", finished < 0 ? "no XdndFinished within 10 s" : finished & 1 ? "drop taken" : "drop refused");
    return finished == 1 ? 0 : 1;
}
