<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
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
</TS>
