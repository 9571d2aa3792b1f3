#include <cstdio>

int main()
{
    std::printf("ZarvoMPG格式转换器 %s\n", ZARVO_VERSION);
    return 0;
}
