/* The floor of start-up: a bare SDL2 window of the game's size (its 240 x 320 screen at twice the
 * size), filled once through the window's software framebuffer and shown until it is closed. */
#include <SDL.h>

int main(int argc, char** argv)
{
    (void)argc;
    (void)argv;
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_Init(SDL_INIT_VIDEO) != 0)
        return 1;
    SDL_Window* window = SDL_CreateWindow("bare window", SDL_WINDOWPOS_UNDEFINED,
                                          SDL_WINDOWPOS_UNDEFINED, 480, 640, SDL_WINDOW_RESIZABLE);
    SDL_Surface* surface = window ? SDL_GetWindowSurface(window) : NULL;
    if (!surface)
        return 1;
    SDL_FillRect(surface, NULL, SDL_MapRGB(surface->format, 214, 211, 206));
    SDL_UpdateWindowSurface(window);
    SDL_Event event;
    while (SDL_WaitEvent(&event) && event.type != SDL_QUIT)
        if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_EXPOSED)
            SDL_UpdateWindowSurface(window);
    SDL_Quit();
    return 0;
}
