/* The floor for writing a report's rows as a PDF: a minimal C program that
 * reads the schedule's CSV rows (accrua-cli ... --csv FILE) and writes them,
 * 50 rows to a Letter page, in the standard Courier font, uncompressed.
 *
 *     reference_minimal_pdf ROWS.csv OUT.pdf
 */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#define MAX_OBJECTS 100000
#define ROWS_PER_PAGE 50

static long offsets[MAX_OBJECTS];
static int objects = 3; /* 1 catalog, 2 pages, 3 font */

static void begin(FILE *out, int n)
{
    offsets[n] = ftell(out);
    fprintf(out, "%d 0 obj\n", n);
}

int main(int argc, char **argv)
{
    if (argc != 3)
        return 2;
    FILE *in = fopen(argv[1], "r");
    FILE *out = fopen(argv[2], "wb");
    if (!in || !out)
        return 1;
    static int pages[MAX_OBJECTS / 2];
    int pageCount = 0;
    char line[512];
    char content[ROWS_PER_PAGE * 200 + 200];
    fputs("%PDF-1.4\n", out);
    if (!fgets(line, sizeof line, in)) /* the header line */
        return 1;
    int done = 0;
    while (!done && objects + 2 < MAX_OBJECTS) {
        size_t used = (size_t)sprintf(content, "BT /F1 8 Tf 36 756 Td 10 TL\n");
        int rows = 0;
        while (rows < ROWS_PER_PAGE) {
            if (!fgets(line, sizeof line, in)) {
                done = 1;
                break;
            }
            line[strcspn(line, "\r\n")] = 0;
            char cell[6][64] = {{0}};
            int c = 0;
            for (char *p = strtok(line, ","); p && c < 6; p = strtok(NULL, ","))
                snprintf(cell[c++], sizeof cell[0], "%s", p);
            used += (size_t)sprintf(content + used, "(%5s  %-10s %14s %14s %14s %16s) '\n", cell[0], cell[1],
                                    cell[2], cell[3], cell[4], cell[5]);
            ++rows;
        }
        if (rows == 0)
            break;
        used += (size_t)sprintf(content + used, "ET\n");
        const int stream = ++objects, page = ++objects;
        begin(out, stream);
        fprintf(out, "<< /Length %zu >>\nstream\n%s\nendstream\nendobj\n", used, content);
        begin(out, page);
        fprintf(out, "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Contents %d 0 R "
                     "/Resources << /Font << /F1 3 0 R >> >> >>\nendobj\n", stream);
        pages[pageCount++] = page;
    }
    begin(out, 1);
    fputs("<< /Type /Catalog /Pages 2 0 R >>\nendobj\n", out);
    begin(out, 2);
    fputs("<< /Type /Pages /Kids [", out);
    for (int i = 0; i < pageCount; ++i)
        fprintf(out, " %d 0 R", pages[i]);
    fprintf(out, " ] /Count %d >>\nendobj\n", pageCount);
    begin(out, 3);
    fputs("<< /Type /Font /Subtype /Type1 /BaseFont /Courier >>\nendobj\n", out);
    const long xref = ftell(out);
    fprintf(out, "xref\n0 %d\n0000000000 65535 f \n", objects + 1);
    for (int i = 1; i <= objects; ++i)
        fprintf(out, "%010ld 00000 n \n", offsets[i]);
    fprintf(out, "trailer\n<< /Size %d /Root 1 0 R >>\nstartxref\n%ld\n%%%%EOF\n", objects + 1, xref);
    fclose(in);
    return fclose(out) == 0 ? 0 : 1;
}
