/* SPDX-License-Identifier: GPL-3.0-or-later */
/* SPDX-FileCopyrightText: 2026 The Kordane developers */

/*
 * The sample plug-in: names and declares itself, follows the login, the
 * personal tells and the shouts, and the level-1 output of "who", and writes
 * what it sees to a log file ($KORDANE_SAMPLE_LOG, else kordane-sample.log
 * in the current folder). Once logged in it sends $KORDANE_SAMPLE_COMMAND,
 * if set, to the server, and it answers a tell that says "ping" with "pong".
 * It ends when the client says the connection goes, or when the client is gone.
 */

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "../kordane_plugin.h"

enum { DG_WHO_AM_I = 0, DG_TELL_TEXT = 31, DG_SHOUT_TEXT = 32, LEVEL1_WHO = 108 };

static FILE* logfile;
static int logged_in;

static void handle_message(struct kp_connection* c, const struct kp_message* m) {
    char line[512];
    int i;
    fprintf(logfile, "%s %d:", m->kind == 2 ? "datagram" : "level1", m->number);
    for (i = 0; i < m->count; ++i) fprintf(logfile, " [%s]", m->strings[i]);
    fputc('\n', logfile);
    fflush(logfile);
    if (m->kind == 2 && m->number == DG_WHO_AM_I && !logged_in && m->count >= 1) {
        const char* command = getenv("KORDANE_SAMPLE_COMMAND");
        logged_in = 1;
        snprintf(line, sizeof line, "Sample plug-in: hello, %s.\n", m->strings[0]);
        kp_send_text(c, KP_CONSOLE_TEXT, line);
        if (command && *command) {
            snprintf(line, sizeof line, "%s\n", command);
            kp_send_text(c, KP_COMMAND, line);
        }
    }
    if (m->kind == 2 && m->number == DG_TELL_TEXT && m->count >= 3 &&
        strcmp(m->strings[2], "ping") == 0) {
        snprintf(line, sizeof line, "tell %s pong\n", m->strings[0]);
        kp_send_text(c, KP_COMMAND, line);
    }
}

int main(void) {
    struct kp_connection c;
    static unsigned char bytes[65536];
    const char* path = getenv("KORDANE_SAMPLE_LOG");
    int running = 1;

    if (kp_connect(&c) != 0) {
        fprintf(stderr, "sample plug-in: no pipes in the environment\n");
        return 1;
    }
    logfile = fopen(path && *path ? path : "kordane-sample.log", "a");
    if (!logfile) {
        kp_disconnect(&c);
        return 1;
    }
    kp_send_text(&c, KP_NAME, "Sample");
    kp_send_number(&c, KP_SUBSCRIBE_DATAGRAM, DG_WHO_AM_I);
    kp_send_number(&c, KP_SUBSCRIBE_DATAGRAM, DG_TELL_TEXT);
    kp_send_number(&c, KP_SUBSCRIBE_DATAGRAM, DG_SHOUT_TEXT);
    kp_send_number(&c, KP_SUBSCRIBE_LEVEL1, LEVEL1_WHO);
    kp_send_number(&c, KP_DECLARE, 1);

    while (running) {
        int length, pos = 0, type, payload_length;
        const unsigned char* payload;
        /* The client may have written before we were waiting: read first, then wait. */
        length = kp_pipe_read(&c.from_client, bytes, (int)sizeof bytes);
        while (length > 0 &&
               kp_next_record(bytes, length, &pos, &type, &payload, &payload_length)) {
            struct kp_message m;
            if (type == KP_INTERFACE) {
                /* Stops at the NUL or at the end of the payload, whichever comes first. */
                fprintf(logfile, "interface %.*s\n", payload_length, (const char*)payload);
                fflush(logfile);
            } else if (type == KP_SERVER_MESSAGE &&
                       kp_parse_message(payload, payload_length, &m) == 0) {
                handle_message(&c, &m);
            } else if (type == KP_CLOSING) {
                fputs("closing\n", logfile);
                running = 0;
            }
        }
        if (running && !kp_wait(&c, 1000)) running = kp_client_alive(&c);
    }
    fclose(logfile);
    kp_disconnect(&c);
    return 0;
}
