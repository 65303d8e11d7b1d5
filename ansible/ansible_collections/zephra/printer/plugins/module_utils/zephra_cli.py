# -*- coding: utf-8 -*-
# Copyright (c) 2026 The Zephra developers
# MIT License (see LICENSE)

# What the modules share: finding zephra-cli, the link's options, and running it.
# zephra-cli checks profiles, keys and printers itself; nothing here knows their rules.

from __future__ import absolute_import, division, print_function
__metaclass__ = type

import json
import re
import signal
import subprocess
import threading

from ansible.module_utils.common.text.converters import to_bytes, to_text

# Seconds zephra-cli has to finish its request under way once asked to stop.
STOP_GRACE_SECONDS = 10

# The serial line, the program and its time: what every module takes.
LINE_OPTIONS = dict(
    baud=dict(type='str', default='57600'),
    parity=dict(type='str', default='None'),
    data_bits=dict(type='str', default='8'),
    stop_bits=dict(type='str', default='1'),
    zephra_cli=dict(type='path'),
    timeout=dict(type='int', default=120),
)

# The one printer a module talks to: on a port, or the first on USB.
PRINTER_OPTIONS = dict(
    port=dict(type='str'),
    usb=dict(type='bool', default=False),
)
LINK_OPTIONS = dict(PRINTER_OPTIONS, **LINE_OPTIONS)

# A MAC address with ':', '-' or no separators, in any case.
MAC = re.compile(r'^[0-9A-Fa-f]{2}([-:]?)(?:[0-9A-Fa-f]{2}\1){4}[0-9A-Fa-f]{2}$')


def check_port(module, name, port):
    """Refuses a port that cannot name a device, before zephra-cli runs."""
    if not port.strip() or '\0' in port:
        module.fail_json(msg='%s must name a device, not %r' % (name, port))


def check_printer(module, where, printer):
    """Exactly one of port and usb: true, as zephra-cli takes them; checked here rather than
    with mutually_exclusive so that a play may say usb: false next to a port."""
    if printer['usb'] and printer['port'] is not None:
        module.fail_json(msg='%sport and usb exclude each other: give a port, or usb: true' % where)
    if not printer['usb']:
        if printer['port'] is None:
            module.fail_json(msg='%sone of port and usb: true is required' % where)
        check_port(module, where + 'port', printer['port'])


def check_link(module):
    """The printers the task names, each a dict with port and usb: the one printer of port or
    usb, or each of printers, none of them twice."""
    params = module.params
    listed = params.get('printers')
    if listed is None:
        check_printer(module, '', params)
        return [params]
    if params['usb'] or params['port'] is not None:
        module.fail_json(msg='printers excludes port and usb: name each printer in the list')
    if not listed:
        module.fail_json(msg='printers is empty: name at least one printer')
    seen = set()
    for number, printer in enumerate(listed, 1):
        check_printer(module, 'printer %d: ' % number, printer)
        name = printer_name(printer)
        if name in seen:
            # Two runs at once on one printer would garble both.
            module.fail_json(msg='printer %d: %s is named twice' % (number, name))
        seen.add(name)
    return listed


def printer_name(printer):
    """The printer as the task names it, for messages before zephra-cli reports its port."""
    return 'usb' if printer['usb'] else printer['port']


def mac_form(text):
    """A MAC address in the one form the modules return, 00:1A:2B:3C:4D:5E, whichever way the
    printer's family writes it; anything else as it is."""
    if not isinstance(text, str) or not MAC.match(text):
        return text
    digits = re.sub('[-:]', '', text).upper()
    return ':'.join(digits[i:i + 2] for i in range(0, 12, 2))


def line_arguments(params):
    # Joined to their options, so that no value is taken for an option of its own.
    return ['--baud=' + params['baud'], '--parity=' + params['parity'],
            '--data=' + params['data_bits'], '--stop=' + params['stop_bits']]


def printer_arguments(printer):
    return ['--usb'] if printer['usb'] else ['--port=' + printer['port']]


def program(module):
    return module.params['zephra_cli'] or module.get_bin_path('zephra-cli', required=True)


def last_line(text):
    lines = [line for line in text.splitlines() if line.strip()]
    return lines[-1].strip() if lines else ''


class ZephraCliRun(object):
    """One zephra-cli run: its exit status, its JSON objects and its standard error."""

    def __init__(self, module, args, key=None, waits=0, wait=True):
        """waits: seconds zephra-cli may wait on top of the timeout, as for a printer to join.
        With wait=False it is only started: run_at_once() waits for it."""
        self.module = module
        timeout = module.params['timeout']
        if timeout <= 0:
            module.fail_json(msg='timeout must be a positive number of seconds, not %d' % timeout)
        timeout += waits
        self.timeout = timeout
        self.timed_out = False
        command = [program(module)] + args
        # Standard input is always a pipe: on a connection with a terminal, zephra-cli would
        # ask its questions there and wait for an answer nobody gives. The key only ever goes
        # this way, never in the arguments. zephra-cli may refuse and end before it reads it,
        # which communicate() takes in its stride, where run_command() fails on the broken pipe.
        try:
            process = subprocess.Popen(command, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                       stderr=subprocess.PIPE)
        except OSError as e:
            module.fail_json(msg='cannot run %s: %s' % (command[0], e.strerror or e))
        self.process = process
        self.data = to_bytes((key or '') + '\n', errors='surrogate_or_strict')
        self.output = (b'', b'')
        if wait:
            self.communicate()
            self.parse()

    def communicate(self):
        """Waits for the run to end; safe on a thread of its own, since it never fails the
        task."""
        process = self.process
        try:
            self.output = process.communicate(self.data, timeout=self.timeout)
        except subprocess.TimeoutExpired:
            # Asked to stop as at Ctrl-C, it ends after its request under way and says so;
            # killed only if it does not.
            self.timed_out = True
            process.send_signal(signal.SIGINT)
            try:
                self.output = process.communicate(timeout=STOP_GRACE_SECONDS)
            except subprocess.TimeoutExpired:
                process.kill()
                self.output = process.communicate()

    def parse(self):
        self.rc = self.process.returncode
        stdout = to_text(self.output[0], errors='surrogate_or_replace')
        self.stderr = to_text(self.output[1], errors='surrogate_or_replace')
        self.objects = []
        for line in stdout.splitlines():
            if not line.strip():
                continue
            try:
                self.objects.append(json.loads(line))
            except ValueError:
                self.module.fail_json(
                    msg='zephra-cli gave a line that is not JSON: %s' % line[:200],
                    rc=self.rc, stderr=self.stderr)

    def printers(self):
        """The printers' objects, in the order zephra-cli gave them."""
        return [item for item in self.objects if isinstance(item, dict) and 'summary' not in item]

    def printer(self):
        """The first printer's object, or None when zephra-cli ended before any printer."""
        printers = self.printers()
        return printers[0] if printers else None

    def fail(self, message=None, **extra):
        """Fails the task with the command line's own message."""
        if not message:
            message = last_line(self.stderr) or 'zephra-cli ended with status %d' % self.rc
        if self.timed_out:
            message = 'zephra-cli ran past its timeout of %d s: %s' % (self.timeout, message)
        self.module.fail_json(msg=message, rc=self.rc, stderr=self.stderr, **extra)


def run_at_once(module, commands):
    """zephra-cli runs at the same time, one per (args, key, waits) of commands, each on its
    own thread until it ends; their ZephraCliRuns in the same order."""
    runs = [ZephraCliRun(module, args, key=key, waits=waits, wait=False)
            for args, key, waits in commands]
    threads = [threading.Thread(target=run.communicate) for run in runs]
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join()
    for run in runs:
        run.parse()
    return runs
