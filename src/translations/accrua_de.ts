<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>accrua::app::Application</name>
    <message>
        <source>There is not enough memory to complete the operation.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unknown error</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>accrua::app::Fields</name>
    <message>
        <source>Start Date:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Receive Date:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Compounded</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Yearly</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bi-Yearly</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quarterly</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Monthly</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Principal Balance:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Interest Rate:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Payment Amount:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Number of Years</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Number of Months:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Total Payments Paid:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Total Principal Paid:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Total Interest Paid:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Total Number of Payments:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Years:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Months:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Number of Days:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Daily Rate:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Interest Per Period:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Principal Payment:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Interest Accrued:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remaining Balance:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Beginning Balance:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ending Balance:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>accrua::app::MainModel</name>
    <message>
        <source>&quot;%1&quot; is not a valid value!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid floating point value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a valid number of %2!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You must enter the %1 in order to continue!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You must enter the number of years and/or months in order to continue!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The amount %1 is too large to calculate with.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>principal balance</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>interest rate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>years</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>months</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>payment amount</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The rate %1 is too small to calculate with.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A loan of %1 at %2% interest with a payment of %3 would need more than %4 payments.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A loan of %1 cannot be paid off with a payment of %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A loan of %1 at %2% interest with a payment of %3 can be completely extinguished with %4 payments. Do you want to set the number of payments to %4 for this amortization?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A loan of %1 at %2% interest is too large to calculate with.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A loan of %1 at %2% interest with a payment of %3 is too large to calculate with.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The start date must be prior to or equal to the end date for calculating daily interest.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>days</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You must enter a valid number of days in order to continue!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The stored day base (AMORTIZEDBASE) is %1; the number of days in a year must be greater than zero to calculate daily interest.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A balance of %1 at %2% interest compounded %3 times per year for %4 years and %5 months would need more than %6 periods.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>beginning balance</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>0!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>0 or 6!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>0, 3, 6, or 9!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a number &gt;= 0 and &lt;= 11!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When calculating the interest earned on a loan compounded %1 times per year,
the number of months must be %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>accrua::app::StartOptions</name>
    <message>
        <source>unknown option &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unexpected argument &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Usage: accrua [options]
Accrua %1, a calculator for loans and savings.

Options:
  --no-splash     start without the four-second splash screen
  --planner       open a loan planner window beside the main window
  -h, --help      show this help and exit
  -v, --version   show the version and exit

Qt&apos;s own options, such as -platform and -style, are accepted as well.
The same calculations run from the command line with accrua-cli.
</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>accrua::app::TForm_AboutBox</name>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>accrua::app::TForm_Main</name>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>P&amp;rint Preview...        [F2]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Options...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Calculate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Payment Amount</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Number of Payments</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Amortization Schedule</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Daily Interest</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Savings Interest</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Use Defaults</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stay On Top</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loan &amp;Planner...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Contents...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print Preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calculate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loan Planner</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Accrua Topics</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Payment Amount</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Number Of Payments</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Amortization</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Daily Interest</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Savings Interest</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Length of Loan</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Working...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter Values</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Totals</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>accrua::desktop</name>
    <message>
        <source>Version %1 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>THE VENDOR</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>THIS SOFTWARE IS PROVIDED BY %1 &quot;AS IS&quot;, WITHOUT WARRANTY OF ANY KIND, EXPRESS OR IMPLIED, INCLUDING BUT NOT LIMITED TO THE WARRANTIES OF MERCHANTABILITY AND FITNESS FOR A PARTICULAR PURPOSE. THE RESULTS OF EVERY CALCULATION ARE ESTIMATES; CONFIRM THEM WITH YOUR LENDER OR FINANCIAL INSTITUTION BEFORE YOU RELY ON THEM. IN NO EVENT SHALL %1 BE LIABLE FOR ANY DIRECT, INDIRECT, INCIDENTAL, SPECIAL OR CONSEQUENTIAL DAMAGES ARISING OUT OF THE USE OF, OR THE INABILITY TO USE, THIS SOFTWARE, EVEN IF %1 HAS BEEN ADVISED OF THE POSSIBILITY OF SUCH DAMAGES.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>accrua::desktop::DateField</name>
    <message>
        <source>Calendar (Alt+Down)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>accrua::desktop::MessageBox</name>
    <message>
        <source>&amp;Yes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Abort</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Retry</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Ignore</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>N&amp;o to All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Yes to &amp;All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>accrua::help</name>
    <message>
        <source>Help Topics: %1 Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 Help :  %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 Help...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help page not found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The help page &lt;b&gt;%1&lt;/b&gt; does not exist. Reinstalling Accrua puts the help pages back in place.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>accrua::help::TForm_HelpForm</name>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Print Topic</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help &amp;Topics</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>accrua::help::TForm_HelpMenu</name>
    <message>
        <source>Help Topics :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Index</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click the index entry you want and then click Display</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Display</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>accrua::reports::banded</name>
    <message>
        <source>&apos;%1&apos; is not a valid date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There are no pages to write.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page %1 is missing.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page %1 cannot be drawn: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot create &quot;%1&quot;: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot write &quot;%1&quot;: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>accrua::reports::banded::TForm_Reports</name>
    <message>
        <source>Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PMT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DATE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PAYMENT AMOUNT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PRINCIPAL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>INTEREST</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BALANCE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Amortization Schedule</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LOAN TYPE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>INTEREST RATE:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>NUMBER OF PAYMENTS:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AMORTIZED BASE:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BEGINNING BALANCE:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MONTHLY PAYMENT:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ORIGINATION DATE:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>YEARLY TOTALS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OVERALL TOTALS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>YEAR</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Compounded Interest</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subtitle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ENDING BALANCE:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Daily Interest</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Daily Interest</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SubTitle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>START DATE:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RECEIVE DATE:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TOTAL DAYS:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ANNUAL INTEREST RATE:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DAILY INTEREST RATE:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PAYMENT AMOUNT:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>INTEREST PAYMENT:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PRINCIPAL PAYMENT:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>INTEREST ACCRUED:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>REMAINING BALANCE:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Report</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>accrua::reports::classic</name>
    <message>
        <source>a line is longer than %1 characters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is larger than 64 MiB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot save &quot;%1&quot;: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot open &quot;%1&quot;: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is larger than 64 MiB and is not opened as a classic report.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot read &quot;%1&quot;: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be read as a classic report: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>accrua::reports::classic::Report</name>
    <message>
        <source>PMT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DATE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PAYMENT AMOUNT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PRINCIPAL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>INTEREST</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BALANCE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>YEAR</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Amortization Schedule</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>INTEREST RATE:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BEGINNING BALANCE:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>NUMBER OF PAYMENTS:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MONTHLY PAYMENT:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ORIGINATION DATE:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AMORTIZED BASE:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>YEARLY TOTALS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OVERALL TOTALS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Interest Earned on Deposit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AMOUNT DEPOSITED:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Daily Interest Results</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start Date : </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Receive Date : </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Total Days : </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Annual Interest Rate : </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Daily Interest Rate : </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Beginning Balance : </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Payment Amount: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Interest Payment : </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Principal Payment : </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Interest Accrued : </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remaining Balance : </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>accrua::reports::classic::TForm_OldPreview</name>
    <message>
        <source>Print Preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The report could not be printed on &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>accrua::reports::commands</name>
    <message>
        <source>The report could not be made.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is missing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is damaged and cannot be opened: page %2 of %3 cannot be read (%4).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no printer to print on.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There are no pages to print.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page %1 is missing.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page %1 cannot be printed: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot write &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The printer &quot;%1&quot; cannot be used.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The printer stopped before page %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Printing did not complete.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a valid date!</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>accrua::reports::preview::TForm_Preview</name>
    <message>
        <source>Print Preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom to Fit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom to Width</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>First Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Previous Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Printer Setup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The report is not complete; nothing was printed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The report is not complete; &quot;%1&quot; was not saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File &quot;%1&quot; does not exist</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>accrua::settings::OpenPictureDialog</name>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(None)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>accrua::settings::Options</name>
    <message>
        <source>Increase the payment amount</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Increase the number of payments</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>accrua::settings::SettingsStore</name>
    <message>
        <source>The settings file %1 cannot be read: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The settings file %1 is not a settings file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The settings file %1 is larger than %2 KiB, more than settings ever take; it is neither read nor changed. Move it away to start afresh</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid data type for &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to set data for &apos;%1&apos;: %2 (process %3) holds the settings file %4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The value for &apos;%1&apos; is longer than %2 KiB and is not stored</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to set data for &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to create key %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The settings file would grow past %1 KiB; &apos;%2&apos; is not stored</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>accrua::settings::TForm_LoanInfo</name>
    <message>
        <source>Enter Amortization Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Origination Date:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Purpose of the loan:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a valid value!</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>accrua::settings::TForm_SetOptions</name>
    <message>
        <source>The number of days in a year that will be used in the amortization calculations.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Determines whether the number of payments or the payment amount will be increased in order to resolve any residual balances.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When checked, the reports will print in the original &quot;classic&quot; format.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file path to an image file that will appear at the top of the printout.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The title of the amortization schedule report.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The subtitle of the amortization schedule report.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When checked, the annual and overall totals will be printed after each year on the amortization schedule</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The title of the compounded interest report.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The subtitle of the compounded interest report.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When checked, the annual and overall totals will be printed after each year on the compounded interest report.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The title of the daily interest report. </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The subtitle of the daily interest report.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Closes and saves the options settings.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Closes and cancels the options settings.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Defaults</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Amortized Base:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>To Resolve Residual Balances:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use Classic Reports</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print Image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Amortization Schedule:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Image Path:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browse for Image...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Image (50/190 max)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Amortization Report</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Title:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loan Type:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print Annual and Overall Totals</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Savings Report</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subtitle:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Daily Interest Report</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
