#pragma once

class QAbstractSocket;

// TCP keep-alive with short times, so that a connection whose peer vanished without a word
// (a laptop put to sleep, a changed network, a router that forgot the connection) ends
// within a couple of minutes instead of the system's default of hours. Probes are empty TCP
// segments: the chat server sees no line.
struct KeepAliveTimes {
    int idleSeconds = 60;     // quiet time before the first probe
    int intervalSeconds = 10; // between unanswered probes
    int probes = 5;           // unanswered probes before the connection counts as lost
};

// Switches keep-alive on for a connected socket, with the times where the platform lets a
// program set them (elsewhere with the system's own). On Linux the same limit also applies
// to lines sent and never acknowledged, which keep-alive alone does not cover.
void enableKeepAlive(QAbstractSocket* socket, const KeepAliveTimes& times = {});
