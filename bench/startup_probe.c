/* Starts a program under an Xvfb whose screen is mapped from a file, and reports two figures:
 * milliseconds from the start to the first painted content (at least MIN_PIXELS more pixels of the
 * black screen lit than before the start) and the program's resident memory in kB at RSS_AFTER_MS
 * after the start.
 *   usage: startup_probe SCREEN_FILE MIN_PIXELS RSS_AFTER_MS PROGRAM [ARGS...]
 * Prints "MS KB"; MS is -1 when nothing was painted within ten seconds. */
#define _GNU_SOURCE
#include <fcntl.h>
#include <signal.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double NowMs(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

static uint32_t BigEndian(const unsigned char* p)
{
    return (uint32_t)p[0] << 24 | (uint32_t)p[1] << 16 | (uint32_t)p[2] << 8 | p[3];
}

/* The screen file is an XWD picture: a header of 32-bit fields, a colour map, then the rows. */
struct Screen {
    const unsigned char* pixels;
    uint32_t width, height, rowBytes;
};

static int OpenScreen(const char* path, struct Screen* s)
{
    int fd = open(path, O_RDONLY);
    struct stat st;
    if (fd < 0 || fstat(fd, &st) != 0 || st.st_size < 100)
        return 0;
    const unsigned char* file = mmap(NULL, (size_t)st.st_size, PROT_READ, MAP_SHARED, fd, 0);
    if (file == MAP_FAILED)
        return 0;
    s->width = BigEndian(file + 4 * 4);
    s->height = BigEndian(file + 5 * 4);
    s->rowBytes = BigEndian(file + 12 * 4);
    s->pixels = file + BigEndian(file) + BigEndian(file + 19 * 4) * 12;
    return BigEndian(file + 11 * 4) == 32;
}

static long LitPixels(const struct Screen* s)
{
    long lit = 0;
    for (uint32_t y = 0; y < s->height; ++y) {
        const uint32_t* row = (const uint32_t*)(s->pixels + (size_t)y * s->rowBytes);
        for (uint32_t x = 0; x < s->width; ++x)
            lit += (row[x] & 0xFFFFFF) != 0;
    }
    return lit;
}

static long ResidentKb(pid_t pid)
{
    char path[64], line[256];
    long kb = -1;
    snprintf(path, sizeof path, "/proc/%d/status", (int)pid);
    FILE* f = fopen(path, "r");
    while (f && fgets(line, sizeof line, f))
        if (strncmp(line, "VmRSS:", 6) == 0)
            kb = atol(line + 6);
    if (f)
        fclose(f);
    return kb;
}

int main(int argc, char** argv)
{
    struct Screen screen;
    if (argc < 5 || !OpenScreen(argv[1], &screen)) {
        fputs("usage: startup_probe SCREEN_FILE MIN_PIXELS RSS_AFTER_MS PROGRAM [ARGS...]\n", stderr);
        return 2;
    }
    /* The window of a program probed just before may take a moment to go. */
    for (int i = 0; i < 300 && LitPixels(&screen) >= atol(argv[2]) / 4; ++i)
        usleep(10000);
    long minPixels = atol(argv[2]) + LitPixels(&screen);
    double rssAfter = atof(argv[3]), start = NowMs(), painted = -1;
    pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[4], argv + 4);
        _exit(127);
    }
    while (NowMs() - start < 10000) {
        if (LitPixels(&screen) >= minPixels) {
            painted = NowMs() - start;
            break;
        }
        usleep(1000);
    }
    while (NowMs() - start < rssAfter)
        usleep(10000);
    long kb = ResidentKb(pid);
    kill(pid, SIGKILL);
    waitpid(pid, NULL, 0);
    printf("%.1f %ld\n", painted, kb);
    return 0;
}
